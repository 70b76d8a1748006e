#include "X11Probe.h"

#include "platform/Listbox.h"
#include "search/DuplicateDialog.h"
#include "support/AppFixture.h"
#include "support/TestMain.h"
#include "support/WindowRows.h"
#include "window/Applicazione.h"

#include <QAbstractItemView>
#include <QDrag>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace X11Probe;

namespace {

// Gives the window the keyboard, as a click on it would, once the program knows it. A
// window manager may hand the focus back to a dialog that has just come up: asked again.
bool activate(QWidget* w)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (Activate(w) && QTest::qWaitFor([w] { return w->isActiveWindow(); }, 1000))
            return true;
    }
    return false;
}

// A second window, modified: the question a Quit asks about it is answered by keeping it.
Applicazione* modifiedWindowToKeep(AppFixture& f)
{
    Applicazione* w = f.newWindow();
    w->setModificato(true);
    f.services.dialogAnswers << MessageDialog::Pressed::Cancel;
    return w;
}

// Ctrl+Q in the other window once the dialog has come up: a dialog over one window is
// modal to that window only, so the other one still takes the keyboard.
bool quitFrom(QWidget* other, QDialog& shown)
{
    return QTest::qWaitForWindowActive(&shown) && activate(other) && PressKeys(QStringLiteral("ctrl+q"));
}

int questionsAbout(const FakeServices& services)
{
    return int(std::count_if(services.dialogs.begin(), services.dialogs.end(),
                             [](const MessageDialog& d) { return d.Message.contains("senza nome"); }));
}

}  // namespace

// Closing and quitting by the keyboard, through a real X server, while a window's own work
// has handed control to the event loop. The keys wait in the server's queue when the work
// starts, so the work's first event pass reads them, as it reads a user's keys.
class TestClosingKeys : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void closeWhileMarkersAreSent();
    void quitFromAnotherWindowWhileFindIsOpen();
    void quitFromAnotherWindowDuringDuplicateScan();
    void closeDuringRowDrag();
};

void TestClosingKeys::initTestCase()
{
    if (!Available())
        QSKIP("needs an X server: run through scripts/with-xserver.sh");
}

void TestClosingKeys::closeWhileMarkersAreSent()
{
    AppFixture f;
    Applicazione* b = f.newWindow();
    b->setModificato(true);
    QPointer<Applicazione> a = f.newWindow();
    WindowRows::AddNumberedRows(*a, 30000);
    for (int row = 0; row < 30000; ++row)
        a->ListBox1()->setCellCheck(row, 0, true);
    QVERIFY(QTest::qWaitForWindowExposed(a));
    QVERIFY(activate(a));

    QVERIFY(PressKeys(QStringLiteral("ctrl+w")));
    a->CaricaPdiMappa();

    QVERIFY(a);
    QVERIFY(a->isHidden());
    QTRY_VERIFY(a.isNull());
    QCOMPARE(f.windowMenuTexts(), QStringList{"senza nome.ov2 *"});
    QCOMPARE(questionsAbout(f.services), 0);
}

void TestClosingKeys::quitFromAnotherWindowWhileFindIsOpen()
{
    AppFixture f;
    QPointer<Applicazione> a = f.newWindow();
    WindowRows::AddNumberedRows(*a, 3);
    Applicazione* b = modifiedWindowToKeep(f);
    QVERIFY(QTest::qWaitForWindowExposed(b));
    bool pressed = false;
    f.services.modalHandlers << [&](QDialog& find) {
        pressed = quitFrom(b, find);
        // The user closes Find a while after answering about B, or gives up waiting.
        auto* poll = new QTimer(&find);
        QObject::connect(poll, &QTimer::timeout, &find, [&f, &find] {
            if (!f.services.dialogs.isEmpty())
                QTimer::singleShot(200, &find, &QDialog::reject);
        });
        poll->start(20);
        QTimer::singleShot(10000, &find, &QDialog::reject);
        return FakeServices::kLeaveOpen;
    };
    a->HandleMenu(QStringLiteral("EditFind"));

    QVERIFY(pressed);
    QVERIFY(a);
    QTRY_VERIFY(a.isNull());
    QCOMPARE(questionsAbout(f.services), 1);
    QCOMPARE(f.windowMenuTexts(), QStringList{"senza nome.ov2 *"});
    QVERIFY(b->Modificato());
    QVERIFY(f.services.quitCodes.isEmpty());
}

void TestClosingKeys::quitFromAnotherWindowDuringDuplicateScan()
{
    AppFixture f;
    QPointer<Applicazione> a = f.newWindow();
    WindowRows::AddNumberedRows(*a, 20000);
    Applicazione* b = modifiedWindowToKeep(f);
    QVERIFY(QTest::qWaitForWindowExposed(b));
    bool pressed = false;
    bool scanStopped = false;
    f.services.modalHandlers << [&](QDialog& dialog) {
        pressed = quitFrom(b, dialog);
        auto& duplicates = static_cast<DuplicateDialog&>(dialog);
        duplicates.buttonTrova_Action();
        scanStopped = duplicates.annulla;
        return int(QDialog::Rejected);
    };
    toolItemOf(*a, QStringLiteral("ToolItemTrovaDup"))->trigger();

    QVERIFY(pressed);
    QVERIFY(scanStopped);
    QVERIFY(a);
    QTRY_VERIFY(a.isNull());
    QCOMPARE(questionsAbout(f.services), 1);
    QCOMPARE(f.windowMenuTexts(), QStringList{"senza nome.ov2 *"});
    QVERIFY(b->Modificato());
}

// A drag runs a loop of its own until the button is released; nothing but another road
// (a Quit from another window, say) closes the window meanwhile.
void TestClosingKeys::closeDuringRowDrag()
{
    AppFixture f;
    f.newWindow();
    QPointer<Applicazione> a = f.newWindow();
    WindowRows::AddNumberedRows(*a, 3);
    QVERIFY(QTest::qWaitForWindowExposed(a));
    QVERIFY(activate(a));
    // Rows are dragged once selected.
    a->ListBox1()->setListIndex(0);
    QAbstractItemView* view = a->ListBox1()->view();
    const QPoint row = view->visualRect(view->model()->index(0, 1)).center();

    // Closed once the drag has begun: the move below returns only when the drag has ended.
    bool closedInDrag = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!a || !view->findChild<QDrag*>())
            return;
        poll.stop();
        closedInDrag = true;
        f.app.CloseThisWindow(a);
    });
    poll.start(10);
    QVERIFY(MovePointer(view->viewport(), row));
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, row);
    // The first move makes it a drag, the next one far enough starts it.
    QTest::mouseMove(view->viewport(), row + QPoint(0, 2));
    QTest::mouseMove(view->viewport(), row + QPoint(0, 40));
    QVERIFY(closedInDrag);
    QTRY_VERIFY(a.isNull());
    QCOMPARE(f.windowMenuTexts(), QStringList{"senza nome.ov2"});
}

LUMETRA_TEST_MAIN(TestClosingKeys)
#include "tst_closingkeys.moc"
