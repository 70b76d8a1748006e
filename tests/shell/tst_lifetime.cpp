#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "search/DuplicateDialog.h"
#include "search/SearchDialog.h"
#include "support/AppFixture.h"
#include "support/TestHttpServer.h"
#include "support/TestMain.h"
#include "support/WindowRows.h"
#include "window/Applicazione.h"
#include "window/ListContextMenu.h"

#include <QAbstractItemView>
#include <QAction>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

// Closing a window, or quitting, while the window's own work has handed control to the
// event loop: a loop's event pass, a dialog, a menu, a message box, a network wait. The
// close or Quit arrives during the work, as it would from another window or a timer. The
// window must outlive its work, stop it, and other windows keep their unsaved changes.

namespace {

enum class Trigger { CloseBox, FileClose, QuitFromOther, HandOver };

// What arrives during the work.
struct During {
    AppFixture& f;
    Applicazione* a;
    Trigger trigger;
    QString handedFile;

    void operator()() const
    {
        switch (trigger) {
        case Trigger::CloseBox:
            a->close();
            break;
        case Trigger::FileClose:
            f.app.CloseThisWindow(a);
            break;
        case Trigger::QuitFromOther:
            f.app.Quit();
            break;
        case Trigger::HandOver:
            f.app.OpenDocument(handedFile);
            break;
        }
    }
};

QByteArray int32le(qint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char((value >> (8 * i)) & 0xff);
    return bytes;
}

// A file of two simple POIs.
QByteArray ov2Bytes()
{
    QByteArray bytes;
    for (const char* description : {"Uno", "Due"}) {
        const QByteArray text = QByteArray(description) + '\0';
        bytes += char(2) + int32le(13 + text.size()) + int32le(1025000) + int32le(4350000) + text;
    }
    return bytes;
}

void markAll(Listbox& list)
{
    for (int row = 0; row < list.ListCount(); ++row)
        list.setCellCheck(row, 0, true);
}


// Opens the list's contextual menu on the selected row; `inMenu` runs inside it.
void contextMenu(Applicazione& w, std::function<void(QMenu&)> inMenu)
{
    QAbstractItemView* view = w.ListBox1()->view();
    const QPoint at = view->visualRect(view->model()->index(w.ListBox1()->ListIndex(), 0)).center();
    QTimer::singleShot(0, view, [inMenu] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
            inMenu(*menu);
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &event);
}

QAction* menuEntry(QMenu& menu, ListContextMenu::Command command)
{
    for (QAction* action : menu.actions()) {
        if (action->data().isValid() && action->data().toInt() == int(command))
            return action;
    }
    return nullptr;
}

void closeMenu()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

// A dialog's script: the close arrives while the dialog stays open, as from another window,
// and the user closes the dialog a little later if it is still open.
std::function<int(QDialog&)> whileOpen(const During& during)
{
    return [during](QDialog& dialog) {
        QTimer::singleShot(0, during.a, during);
        QTimer::singleShot(50, &dialog, &QDialog::reject);
        return FakeServices::kLeaveOpen;
    };
}

// The work that hands control to the event loop, with the close arriving inside it.
using Work = std::function<void(AppFixture&, Applicazione&, const During&)>;

}  // namespace

Q_DECLARE_METATYPE(Trigger)
Q_DECLARE_METATYPE(Work)

class TestLifetime : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void closeDuringWork_data();
    void closeDuringWork();
    void quitAfterHandOverDuringQuestion();
    void quitDuringQuestionWaitsForIt();
    void closeDuringQuestionWaitsForIt();

private:
    QTemporaryDir mDir;
    QString mFile;
    TestHttpServer mServer;
};

void TestLifetime::initTestCase()
{
    QVERIFY(mDir.isValid());
    mFile = mDir.filePath(QStringLiteral("handed.ov2"));
    QFile file(mFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ov2Bytes());
    file.close();
    // Slow enough that the close comes during the wait.
    mServer.route(QStringLiteral("/execute.cgi"), {.body = "<xml/>", .contentType = "text/xml", .delayMs = 400});
    mServer.route(QStringLiteral("/public/software/lumetra.txt"), {.body = "1.4.0.5", .delayMs = 400});
    qputenv("LUMETRA_DIRECTORY", mServer.address().toUtf8());
    qputenv("LUMETRA_SERVER", mServer.address().toUtf8());
}

void TestLifetime::cleanup()
{
    closeMenu();
}

void TestLifetime::closeDuringWork_data()
{
    QTest::addColumn<Work>("work");
    QTest::addColumn<int>("rows");
    QTest::addColumn<Trigger>("trigger");

    const auto atFirstEventPass = [](const During& during) { QTimer::singleShot(0, during.a, during); };
    const QList<QPair<const char*, Trigger>> triggers{{"close box", Trigger::CloseBox},
                                                      {"File > Close", Trigger::FileClose},
                                                      {"Quit from another window", Trigger::QuitFromOther},
                                                      {"hand-over", Trigger::HandOver}};
    const QList<std::tuple<const char*, int, Work>> works{
        {"show marked on map", 3000,
         [=](AppFixture&, Applicazione& a, const During& during) {
             markAll(*a.ListBox1());
             atFirstEventPass(during);
             a.CaricaPdiMappa();
         }},
        {"POIs within the radius", 3000,
         [=](AppFixture&, Applicazione& a, const During& during) {
             atFirstEventPass(during);
             a.MostraPdiNelRaggio(43.1, 10.1, 15.0);
         }},
        {"POIs near the row, from the contextual menu", 3000,
         [](AppFixture&, Applicazione& a, const During& during) {
             a.ListBox1()->setListIndex(0);
             contextMenu(a, [during](QMenu& menu) {
                 QTimer::singleShot(0, during.a, during);
                 menuEntry(menu, ListContextMenu::Command::Rangekm)->trigger();
             });
         }},
        {"contextual menu open", 3,
         [](AppFixture&, Applicazione& a, const During& during) {
             a.ListBox1()->setListIndex(0);
             contextMenu(a, [during](QMenu&) {
                 during();
                 QTimer::singleShot(0, &closeMenu);
             });
         }},
        {"marked rows first", 3000,
         [=](AppFixture&, Applicazione& a, const During& during) {
             atFirstEventPass(during);
             a.HandleMenu(QStringLiteral("EditOrdinaMarked"));
         }},
        {"Find dialog", 3,
         [](AppFixture& f, Applicazione& a, const During& during) {
             f.services.modalHandlers << whileOpen(during);
             toolItemOf(a, QStringLiteral("ToolItemTrova"))->trigger();
         }},
        {"Duplicates dialog", 3,
         [](AppFixture& f, Applicazione& a, const During& during) {
             f.services.modalHandlers << whileOpen(during);
             toolItemOf(a, QStringLiteral("ToolItemTrovaDup"))->trigger();
         }},
        {"duplicate scan", 20000,
         [](AppFixture& f, Applicazione& a, const During& during) {
             f.services.modalHandlers << [during](QDialog& dialog) {
                 QTimer::singleShot(1, during.a, during);
                 static_cast<DuplicateDialog&>(dialog).buttonTrova_Action();
                 return int(QDialog::Rejected);
             };
             toolItemOf(a, QStringLiteral("ToolItemTrovaDup"))->trigger();
         }},
        {"open dialog", 3,
         [this](AppFixture& f, Applicazione& a, const During& during) {
             f.services.whileShown << during;
             f.services.openAnswers << mFile;
             a.ApriOv2();
         }},
        {"message from the page", 3,
         [](AppFixture& f, Applicazione& a, const During& during) {
             f.services.whileShown << during;
             a.web1()->CallbackFromPage(QStringLiteral("handler://CMD0hello"));
         }},
        {"telephone lookup", 3,
         [](AppFixture&, Applicazione& a, const During& during) {
             QTimer::singleShot(100, during.a, during);
             a.CercaNumeroTelefono(QStringLiteral("0551234567"));
         }},
        {"update check from the toolbar", 3,
         [](AppFixture& f, Applicazione& a, const During& during) {
             QTimer::singleShot(100, during.a, during);
             f.services.dialogAnswers << MessageDialog::Pressed::Action;  // no update
             toolItemOf(a, QStringLiteral("ToolItemAggiorna"))->trigger();
         }},
        {"about box from the toolbar", 3,
         [](AppFixture& f, Applicazione& a, const During& during) {
             f.services.modalHandlers << whileOpen(during);
             toolItemOf(a, QStringLiteral("ToolItemInfo"))->trigger();
         }},
    };
    for (const auto& [work, rows, run] : works)
        for (const auto& [how, trigger] : triggers)
            QTest::addRow("%s, %s", work, how) << run << rows << trigger;
}

void TestLifetime::closeDuringWork()
{
    QFETCH(Work, work);
    QFETCH(int, rows);
    QFETCH(Trigger, trigger);

    AppFixture f;
    // A comes first in the Window menu, so that a Quit closes it before it asks about B.
    QPointer<Applicazione> a = f.newWindow();
    WindowRows::AddNumberedRows(*a, rows);
    Applicazione* b = f.newWindow();
    WindowRows::AddNumberedRows(*b, 2);
    b->setModificato(true);
    f.app.setFrontWindow(a);
    const bool closes = trigger != Trigger::HandOver;
    if (trigger == Trigger::QuitFromOther)
        f.services.dialogAnswers.prepend(MessageDialog::Pressed::Cancel);  // B is kept

    // From the program's loop, as a click starts it.
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        work(f, *a, During{f, a, trigger, mFile});
        loop.quit();
    });
    loop.exec();

    // The window outlived its work, and goes once the work has returned.
    QVERIFY(a);
    if (closes) {
        // Closed: hidden, and no menu command goes to it while it waits to be freed.
        QVERIFY(a->isHidden());
        QVERIFY(f.app.frontWindow() != a);
        // Nor does its page reach anyone.
        a->web1()->CallbackFromPage(QStringLiteral("handler://CMD0late"));
        QVERIFY(!f.services.messages.contains(QStringLiteral("late")));
        QTRY_VERIFY(a.isNull());
    }
    // The other window keeps its changes; the Quit asked about them once and was cancelled.
    QVERIFY(f.windowMenuTexts().contains(QStringLiteral("senza nome.ov2 *")));
    QVERIFY(b->Modificato());
    const auto questions = std::count_if(f.services.dialogs.begin(), f.services.dialogs.end(),
                                         [](const MessageDialog& d) { return d.Message.contains("senza nome"); });
    QCOMPARE(questions, trigger == Trigger::QuitFromOther ? 1 : 0);
    QVERIFY(f.services.quitCodes.isEmpty());
    if (trigger == Trigger::HandOver)
        QVERIFY(f.windowMenuTexts().contains(QStringLiteral("handed.ov2")));
    f.services.dialogs.clear();
    f.services.dialogAnswers.clear();
}

// A Quit that a hand-over interrupts goes on to ask about every other modified window.
void TestLifetime::quitAfterHandOverDuringQuestion()
{
    AppFixture f;
    Applicazione* a = f.newWindow();
    Applicazione* b = f.newWindow();
    a->setModificato(true);
    b->setModificato(true);
    f.services.whileShown << [&] { f.app.OpenDocument(mFile); };
    f.services.dialogAnswers << MessageDialog::Pressed::Alternate << MessageDialog::Pressed::Alternate;
    f.app.Quit();
    QCOMPARE(f.services.dialogs.size(), 2);
    QVERIFY(f.windowMenuTexts().isEmpty());
    QVERIFY(f.services.quitCodes.contains(0));
}

// A Quit asked for while a close's question is up goes on once the question is answered;
// it asks about that window no more when it was let go.
void TestLifetime::quitDuringQuestionWaitsForIt()
{
    AppFixture f;
    QPointer<Applicazione> a = f.newWindow();
    Applicazione* b = f.newWindow();
    a->setModificato(true);
    b->setModificato(true);
    f.services.whileShown << [&] { f.app.Quit(); };
    f.services.dialogAnswers << MessageDialog::Pressed::Alternate << MessageDialog::Pressed::Alternate;
    a->close();
    QCOMPARE(f.services.dialogs.size(), 1);
    QTRY_VERIFY(f.windowMenuTexts().isEmpty());
    QCOMPARE(f.services.dialogs.size(), 2);
    QVERIFY(f.services.dialogs.at(1).Message.contains(QStringLiteral("senza nome.ov2")));
    QVERIFY(f.services.quitCodes.contains(0));
    QTRY_VERIFY(a.isNull());
}

// A close asked for while the window's own question is up comes after the answer and
// asks nothing more once the changes were let go.
void TestLifetime::closeDuringQuestionWaitsForIt()
{
    AppFixture f;
    f.newWindow();
    QPointer<Applicazione> a = f.newWindow();
    WindowRows::AddNumberedRows(*a, 3);
    a->setModificato(true);
    f.services.whileShown << [&] { a->close(); };
    f.services.dialogAnswers << MessageDialog::Pressed::Alternate;
    a->SvuotaElenco();
    QVERIFY(a);
    QCOMPARE(a->ListBox1()->ListCount(), 0);
    QTRY_VERIFY(a.isNull());
    QCOMPARE(f.services.dialogs.size(), 1);
    QCOMPARE(f.windowMenuTexts().size(), 1);
}

LUMETRA_TEST_MAIN(TestLifetime)
#include "tst_lifetime.moc"
