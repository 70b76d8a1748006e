#include "X11Probe.h"

#include "platform/EditField.h"
#include "platform/HTMLViewer.h"
#include "splitview/Splitview.h"
#include "support/DocumentFixture.h"
#include "support/PageProbe.h"
#include "support/TestMain.h"
#include "window/Applicazione.h"

#include <QAbstractItemView>
#include <QTest>

using namespace X11Probe;

namespace {

// Whether the program has seen the pointer arrive over the widget and over none of its
// children: it has then set the cursor for it.
bool seenOver(const QWidget* widget)
{
    if (!widget->underMouse())
        return false;
    for (const QObject* child : widget->children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (w && w->underMouse())
            return false;
    }
    return true;
}

// Moves the pointer to a point of the widget and returns the cursor the server shows
// there once the program has seen the pointer arrive, or 0 when it never did.
uint32_t pointTo(QWidget* widget, QPoint at)
{
    QWidget* under = widget->childAt(at);
    QWidget* leaf = under ? under : widget;
    if (!MovePointer(widget, at) || !QTest::qWaitFor([leaf] { return seenOver(leaf); }))
        return 0;
    return CursorSerial();
}

} // namespace

// The split view's cursor in a document window on a real X server, moved by the pointer
// as a user moves it.
class TestSplitviewCursor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void paneShowsItsOwnCursorOffTheDivider_data();
    void paneShowsItsOwnCursorOffTheDivider();
};

void TestSplitviewCursor::initTestCase()
{
    if (!Available())
        QSKIP("needs an X server: run through scripts/with-xserver.sh");
}

void TestSplitviewCursor::paneShowsItsOwnCursorOffTheDivider_data()
{
    QTest::addColumn<bool>("map");
    QTest::newRow("list") << false;
    QTest::newRow("map") << true;
}

void TestSplitviewCursor::paneShowsItsOwnCursorOffTheDivider()
{
    QFETCH(bool, map);

    DocumentFixture d;
    QVERIFY(QTest::qWaitForWindowExposed(d.w));
    Splitview* sv = d.w->Splitview1();
    HTMLViewer* web = d.w->web1();
    QWidget* pane = map ? static_cast<QWidget*>(web) : d.view->viewport();
    QWidget* entry = d.w->EditFieldNome();
    const QPoint inPane = pane->rect().center();
    const QPoint onDivider(web->width() + 4, sv->height() / 2);

    if (map) {
        QVERIFY(PageProbe::WaitForMapPage(*web));
        // The page says its cursor once, a moment after the pointer first comes over it:
        // let it say it before the cursors below are compared. A page that keeps the
        // cursor it has says nothing, and the comparison goes on after the wait.
        const uint32_t first = pointTo(pane, inPane);
        QVERIFY(first);
        static_cast<void>(QTest::qWaitFor([first] { return CursorSerial() != first; }, 5000));
    }

    // The pane's own cursor: the one it shows to a pointer coming from the entry row,
    // outside the split view.
    QVERIFY(pointTo(entry, entry->rect().center()));
    const uint32_t own = pointTo(pane, inPane);
    QVERIFY(own);

    const uint32_t splitter = pointTo(sv, onDivider);
    QVERIFY(splitter);
    QVERIFY2(splitter != own, "the divider shows no cursor of its own");

    // From the divider straight into the pane.
    QVERIFY(pointTo(pane, inPane));
    QTRY_COMPARE(CursorSerial(), own);
}

LUMETRA_TEST_MAIN(TestSplitviewCursor)
#include "tst_splitviewcursor.moc"
