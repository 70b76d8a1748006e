#include "shell/Pictures.h"
#include "splitview/Splitview.h"

#include <QMouseEvent>
#include <QTest>

namespace {

// A split view inside a window, away from the window's corner, with panes at their
// design geometry (12 pixels apart, as a form designer leaves them) and a clock the
// test sets by hand.
struct Fixture {
    QWidget window;
    Splitview* sv;
    QList<QWidget*> panes;
    bool vertical;
    int32_t now = 1000;
    int32_t interval = 30;
    QStringList events;

    explicit Fixture(const QList<int>& sizes, bool isVertical = true, int extent = 976)
        : vertical(isVertical)
    {
        window.resize(1100, 700);
        sv = new Splitview(&window);
        sv->setGeometry(50, 30, vertical ? extent : 976, vertical ? 556 : extent);
        int p = 0;
        for (int s : sizes) {
            auto* pane = new QWidget(sv);
            if (vertical)
                pane->setGeometry(p, 0, s, sv->height());
            else
                pane->setGeometry(0, p, sv->width(), s);
            p += s + 12;
            panes << pane;
        }
        sv->setTicks([this] { return now; });
        sv->setDoubleClickTicks([this] { return interval; });
        sv->Open_ = [this] { sv->setVertical(vertical); };
    }

    void open()
    {
        sv->Open();
        window.show();
        sv->grab();
    }

    // The document window's answers: every pane at least 120, only the last may collapse.
    void documentWindowRules()
    {
        sv->MinSizeOfSubview = [](QWidget*, int& min) {
            min = 120;
            return true;
        };
        sv->CanCollapseSubview = [this](QWidget* v) { return v == panes.last(); };
    }

    void mayCollapse(const QList<int>& which)
    {
        sv->CanCollapseSubview = [this, which](QWidget* v) { return which.contains(int(panes.indexOf(v))); };
    }

    QPoint at(int c) const { return vertical ? QPoint(c, 278) : QPoint(488, c); }
    void press(int c) { QTest::mousePress(sv, Qt::LeftButton, {}, at(c)); }
    void move(int c) { QTest::mouseMove(sv, at(c)); }
    void release(int c) { QTest::mouseRelease(sv, Qt::LeftButton, {}, at(c)); }
    // A drag well after any earlier click, so its release is a single click.
    void drag(int from, int to)
    {
        now += 100;
        press(from);
        move(to);
        release(to);
    }
    void click(int c, int32_t when)
    {
        now = when;
        press(c);
        release(c);
    }
    void hover(int c)
    {
        QMouseEvent e(QEvent::MouseMove, at(c), sv->mapToGlobal(at(c)), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(sv, &e);
    }

    int size(int i) const { return vertical ? panes[i]->width() : panes[i]->height(); }
    int pos(int i) const { return vertical ? panes[i]->x() : panes[i]->y(); }
    QList<int> sizes() const
    {
        QList<int> all;
        for (int i = 0; i < panes.size(); ++i)
            all << size(i);
        return all;
    }
    QList<int> positions() const
    {
        QList<int> all;
        for (int i = 0; i < panes.size(); ++i)
            all << pos(i);
        return all;
    }
};

}  // namespace

class TestSplitview : public QObject {
    Q_OBJECT
private slots:
    void firstLayoutOfTheDocumentWindow();
    void fullLayout_data();
    void fullLayout();
    void oneOrNoSubview();
    void subviewsAndThickness();
    void hitTestingAndCursor_data();
    void hitTestingAndCursor();
    void grabOffsetAndDrag();
    void dragBounds_data();
    void dragBounds();
    void documentWindowRules_data();
    void documentWindowRules();
    void eventsOfOneDragStep();
    void dragCollapsedPaneStaysRecorded();
    void maximums_data();
    void maximums();
    void twoDragEventsAtOnePoint();
    void stackedDrag();
    void doubleClickInterval_data();
    void doubleClickInterval();
    void doubleClickOnLastPane();
    void doubleClickTarget_data();
    void doubleClickTarget();
    void doubleClickOnMiddlePane();
    void tripleClick();
    void clickTimeSharedAcrossDividers();
    void dragEndingInDoubleClick();
    void threePanesAwayFromWindowCorner();
    void paintKeepsDraggedSizes();
    void gripPictureAndDrawing();
};

void TestSplitview::firstLayoutOfTheDocumentWindow()
{
    Fixture f({403, 560});
    new QWidget(f.panes[0]);  // a grandchild is no subview
    f.documentWindowRules();
    int opened = 0;
    f.sv->Open_ = [&] {
        ++opened;
        f.sv->setVertical(true);
    };
    f.open();

    QCOMPARE(opened, 1);
    QVERIFY(f.sv->Vertical());
    QCOMPARE(f.sv->Subviews(), f.panes);
    QCOMPARE(f.panes[0]->geometry(), QRect(0, 0, 403, 556));
    QCOMPARE(f.panes[1]->geometry(), QRect(411, 0, 565, 556));
}

void TestSplitview::fullLayout_data()
{
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<int>("collapsed");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("extent");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("surplus to the last pane") << QList<int>{300, 400} << -1 << true << 976 << QList<int>{300, 668};
    QTest::newRow("shortage from the last pane") << QList<int>{600, 500} << -1 << true << 976 << QList<int>{600, 368};
    QTest::newRow("shortage past the last pane") << QList<int>{1000, 20} << -1 << true << 976 << QList<int>{968, 0};
    QTest::newRow("collapsed last pane, growth") << QList<int>{500, 0} << 1 << true << 976 << QList<int>{968, 0};
    QTest::newRow("collapsed last pane, shortage") << QList<int>{1200, 0} << 1 << true << 976 << QList<int>{968, 0};
    QTest::newRow("collapsed first pane") << QList<int>{0, 300} << 0 << true << 976 << QList<int>{0, 968};
    QTest::newRow("three panes") << QList<int>{100, 100, 100} << -1 << true << 976 << QList<int>{100, 100, 760};
    QTest::newRow("smaller than its dividers") << QList<int>{100, 100, 100} << -1 << true << 10 << QList<int>{0, 0, 0};
    QTest::newRow("stacked") << QList<int>{200, 200} << -1 << false << 556 << QList<int>{200, 348};
}

void TestSplitview::fullLayout()
{
    QFETCH(QList<int>, sizes);
    QFETCH(int, collapsed);
    QFETCH(bool, vertical);
    QFETCH(int, extent);
    QFETCH(QList<int>, expected);

    Fixture f(sizes, vertical, extent);
    f.open();
    if (collapsed >= 0)
        f.sv->CollapseView(f.panes[collapsed]);
    int p = 0;
    for (int i = 0; i < sizes.size(); ++i) {
        f.panes[i]->setGeometry(vertical ? QRect(p, 0, sizes[i], 556) : QRect(0, p, 976, sizes[i]));
        p += sizes[i] + 3;
    }
    f.sv->AdjustSubviews();

    QCOMPARE(f.sizes(), expected);
    p = 0;
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(f.pos(i), p);
        QCOMPARE(vertical ? f.panes[i]->height() : f.panes[i]->width(), vertical ? 556 : 976);
        p += expected[i] + 8;
    }
}

void TestSplitview::oneOrNoSubview()
{
    Fixture one({300});
    one.open();
    QCOMPARE(one.panes[0]->geometry(), QRect(0, 0, 976, 556));
    QCOMPARE(one.sv->MouseInDivider(300, 10), -1);

    Fixture none({});
    none.open();
    none.sv->AdjustSubviews();
    none.sv->resize(500, 300);
    none.sv->grab();
    QVERIFY(none.sv->Subviews().isEmpty());
}

void TestSplitview::subviewsAndThickness()
{
    Fixture f({300, 300, 360});
    f.open();
    QWidget* middle = f.panes[1];

    f.sv->AddSubview(middle);
    QCOMPARE(f.sv->Subviews(), f.panes);

    // Neither adding nor removing moves anything before the next layout.
    f.sv->CollapseView(middle);
    QVERIFY(f.sv->IsSubviewCollapsed(middle));
    const QList<int> before = f.positions();
    f.sv->RemoveSubview(middle);
    QVERIFY(!f.sv->IsSubviewCollapsed(middle));
    QCOMPARE(f.sv->Subviews(), (QList<QWidget*>{f.panes[0], f.panes[2]}));
    QCOMPARE(f.positions(), before);
    f.sv->AddSubview(middle);
    QCOMPARE(f.sv->Subviews(), (QList<QWidget*>{f.panes[0], f.panes[2], middle}));

    // A pane that goes away is dropped, so nothing lays out a deleted widget.
    delete f.panes[0];
    QCOMPARE(f.sv->Subviews(), (QList<QWidget*>{f.panes[2], middle}));

    int asked = 0;
    f.sv->DividerThickness = [&] {
        ++asked;
        return 0;
    };
    QCOMPARE(f.sv->GetDividerThickness(), 8);
    f.sv->DividerThickness = [&] {
        ++asked;
        return 12;
    };
    f.sv->setVertical(true);  // the same value lays out all the same
    QVERIFY(asked >= 2);
    QCOMPARE(f.panes[2]->width() + 12 + middle->width(), 976);
    QCOMPARE(middle->x(), f.panes[2]->width() + 12);

    int closed = 0;
    f.sv->Close_ = [&] { ++closed; };
    f.sv->Close();
    QCOMPARE(closed, 1);
}

void TestSplitview::hitTestingAndCursor_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<bool>("hit");

    QTest::newRow("599, last pixel of the left pane") << 599 << false;
    QTest::newRow("600, first pixel of the divider") << 600 << true;
    QTest::newRow("608, first pixel of the right pane") << 608 << true;
    QTest::newRow("609") << 609 << false;
}

void TestSplitview::hitTestingAndCursor()
{
    QFETCH(int, x);
    QFETCH(bool, hit);

    Fixture f({600, 368});
    f.open();
    QCOMPARE(f.sv->MouseInDivider(x, 5000), hit ? 1 : -1);

    f.hover(x);
    QCOMPARE(f.sv->testAttribute(Qt::WA_SetCursor), hit);
    if (hit)
        QCOMPARE(f.sv->cursor().shape(), Qt::SplitHCursor);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(f.sv, &leave);
    QVERIFY(!f.sv->testAttribute(Qt::WA_SetCursor));

    // A press off the dividers is left to the widgets behind, and the drag after it
    // moves nothing.
    QMouseEvent press(QEvent::MouseButtonPress, f.at(x), f.sv->mapToGlobal(f.at(x)), Qt::LeftButton,
                      Qt::LeftButton, {});
    QApplication::sendEvent(f.sv, &press);
    QCOMPARE(press.isAccepted(), hit);
    f.release(x);
    f.drag(x, 300);
    QCOMPARE(f.size(0), hit ? 300 - (x - 600) : 600);
}

void TestSplitview::grabOffsetAndDrag()
{
    Fixture f({600, 368});
    f.open();
    f.drag(603, 403);
    QCOMPARE(f.panes[0]->geometry(), QRect(0, 0, 400, 556));
    QCOMPARE(f.panes[1]->geometry(), QRect(408, 0, 568, 556));
}

void TestSplitview::dragBounds_data()
{
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<int>("hiddenPane");

    QTest::newRow("far left stops at 0") << -500 << QList<int>{0, 968} << 0;
    QTest::newRow("far right stops at width - 8") << 2000 << QList<int>{968, 0} << 1;
}

void TestSplitview::dragBounds()
{
    QFETCH(int, to);
    QFETCH(QList<int>, sizes);
    QFETCH(int, hiddenPane);

    Fixture f({600, 368});
    f.open();
    f.drag(603, to);
    QCOMPARE(f.sizes(), sizes);
    QCOMPARE(f.pos(1), sizes[0] + 8);
    QVERIFY(f.panes[hiddenPane]->isHidden());

    // One step back opens the pane and shows it at once.
    f.drag(sizes[0] + 3, 503);
    QCOMPARE(f.sizes(), (QList<int>{500, 468}));
    QVERIFY(!f.panes[0]->isHidden());
    QVERIFY(!f.panes[1]->isHidden());
}

void TestSplitview::documentWindowRules_data()
{
    QTest::addColumn<int>("edge");
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("collapsed");

    QTest::newRow("left minimum") << 50 << 120 << false;
    QTest::newRow("right at its minimum") << 848 << 848 << false;
    QTest::newRow("right below its minimum collapses") << 849 << 968 << true;
    QTest::newRow("right far below") << 900 << 968 << true;
}

void TestSplitview::documentWindowRules()
{
    QFETCH(int, edge);
    QFETCH(int, left);
    QFETCH(bool, collapsed);

    Fixture f({403, 560});
    f.documentWindowRules();
    f.open();
    f.drag(404, edge + 1);  // grabbed one pixel into the divider at 403
    QCOMPARE(f.size(0), left);
    QCOMPARE(f.size(1), 968 - left);
    QCOMPARE(f.pos(1), left + 8);
    QCOMPARE(f.sv->IsSubviewCollapsed(f.panes[1]), collapsed);
    QVERIFY(!f.sv->IsSubviewCollapsed(f.panes[0]));
}

void TestSplitview::eventsOfOneDragStep()
{
    Fixture f({400, 568});
    QStringList& log = f.events;
    auto name = [&f](QWidget* v) { return v == f.panes[0] ? QStringLiteral("A") : QStringLiteral("B"); };
    f.sv->MinSizeOfSubview = [&](QWidget* v, int& min) {
        log << "min " + name(v);
        min = 120;
        return true;
    };
    f.sv->MaxSizeOfSubview = [&](QWidget* v, int&) {
        log << "max " + name(v);
        return false;
    };
    f.sv->CanCollapseSubview = [&](QWidget* v) {
        log << "collapse " + name(v);
        return false;
    };
    f.open();

    f.press(402);
    f.move(902);
    QCOMPARE(log, (QStringList{"min A", "max A", "min B", "collapse B", "max B"}));
    log.clear();
    f.move(12);
    QCOMPARE(log, (QStringList{"min A", "collapse A", "max A", "min B", "max B"}));
    f.release(12);
    QCOMPARE(f.sizes(), (QList<int>{120, 848}));
}

void TestSplitview::dragCollapsedPaneStaysRecorded()
{
    Fixture f({403, 565});
    f.documentWindowRules();
    f.open();
    f.drag(404, 950);
    QVERIFY(f.sv->IsSubviewCollapsed(f.panes[1]));

    f.drag(970, 502);
    QCOMPARE(f.sizes(), (QList<int>{500, 468}));
    QVERIFY(f.sv->IsSubviewCollapsed(f.panes[1]));

    // Still recorded: a new size goes to the open pane, and a double click expands.
    f.sv->resize(1076, 556);
    f.sv->grab();
    QCOMPARE(f.sizes(), (QList<int>{600, 468}));
    f.click(602, 5000);
    f.click(602, 5001);
    QVERIFY(!f.sv->IsSubviewCollapsed(f.panes[1]));
    QCOMPARE(f.sizes(), (QList<int>{534, 534}));
}

void TestSplitview::maximums_data()
{
    QTest::addColumn<int>("maxA");
    QTest::addColumn<int>("maxB");
    QTest::addColumn<int>("edge");
    QTest::addColumn<QList<int>>("sizes");

    QTest::newRow("A held at its maximum") << 300 << -1 << 500 << QList<int>{300, 668};
    QTest::newRow("B held at its maximum") << -1 << 200 << 100 << QList<int>{768, 200};
    QTest::newRow("within both") << 700 << 700 << 500 << QList<int>{500, 468};
}

void TestSplitview::maximums()
{
    QFETCH(int, maxA);
    QFETCH(int, maxB);
    QFETCH(int, edge);
    QFETCH(QList<int>, sizes);

    Fixture f({600, 368});
    f.sv->MaxSizeOfSubview = [&](QWidget* v, int& max) {
        max = v == f.panes[0] ? maxA : maxB;
        return max >= 0;
    };
    f.open();
    f.drag(600, edge);
    QCOMPARE(f.sizes(), sizes);
    // The panes still fill the control, so the divider lies where it is drawn.
    QCOMPARE(f.pos(1), sizes[0] + 8);
    QCOMPARE(f.sv->MouseInDivider(sizes[0], 0), 1);
}

void TestSplitview::twoDragEventsAtOnePoint()
{
    Fixture f({600, 368});
    f.open();
    f.press(603);
    f.move(403);
    QCOMPARE(f.size(0), 400);
    f.sv->AdjustSubviewsAroundDivider(500, 0);
    f.move(403);
    QCOMPARE(f.size(0), 500);
    f.move(404);
    QCOMPARE(f.size(0), 401);
    f.release(404);

    // The last point is kept across drags: a new drag's first event there is ignored.
    f.press(405);
    f.move(404);
    QCOMPARE(f.size(0), 401);
    f.move(304);
    QCOMPARE(f.size(0), 300);
    f.release(304);
}

void TestSplitview::stackedDrag()
{
    Fixture f({200, 348}, false, 556);
    f.open();
    QCOMPARE(f.sv->MouseInDivider(100000, 208), 1);
    f.hover(204);
    QCOMPARE(f.sv->cursor().shape(), Qt::SplitVCursor);
    f.drag(202, 302);
    QCOMPARE(f.panes[0]->geometry(), QRect(0, 0, 976, 300));
    QCOMPARE(f.panes[1]->geometry(), QRect(0, 308, 976, 248));
}

void TestSplitview::doubleClickInterval_data()
{
    QTest::addColumn<int>("gap");
    QTest::addColumn<bool>("collapsed");

    QTest::newRow("same tick") << 0 << true;
    QTest::newRow("at the interval") << 30 << true;
    QTest::newRow("past the interval") << 31 << false;
}

void TestSplitview::doubleClickInterval()
{
    QFETCH(int, gap);
    QFETCH(bool, collapsed);

    Fixture f({600, 368});
    f.documentWindowRules();
    f.open();
    // The very first click is single, whatever the clock says.
    f.click(603, 0);
    QVERIFY(!f.sv->IsSubviewCollapsed(f.panes[1]));
    f.click(603, 0 + gap);
    QCOMPARE(f.sv->IsSubviewCollapsed(f.panes[1]), collapsed);
}

void TestSplitview::doubleClickOnLastPane()
{
    Fixture f({600, 368});
    f.documentWindowRules();
    f.open();
    f.click(603, 1000);
    f.click(603, 1010);
    QVERIFY(f.sv->IsSubviewCollapsed(f.panes[1]));
    QVERIFY(f.panes[1]->isHidden());
    QCOMPARE(f.sizes(), (QList<int>{968, 0}));
    QCOMPARE(f.positions(), (QList<int>{0, 608}));

    f.click(970, 2000);
    f.click(970, 2010);
    QVERIFY(!f.sv->IsSubviewCollapsed(f.panes[1]));
    QVERIFY(!f.panes[1]->isHidden());
    QCOMPARE(f.sizes(), (QList<int>{484, 484}));
    QCOMPARE(f.positions(), (QList<int>{0, 492}));

    f.sv->ExpandingView = [](QWidget*) { return 200; };
    f.click(486, 3000);
    f.click(486, 3010);
    f.click(970, 4000);
    f.click(970, 4010);
    QCOMPARE(f.sizes(), (QList<int>{768, 200}));
    QCOMPARE(f.pos(1), 776);
}

void TestSplitview::doubleClickTarget_data()
{
    QTest::addColumn<QList<int>>("mayCollapse");
    QTest::addColumn<int>("collapsed");

    QTest::newRow("both: the left pane") << QList<int>{0, 1} << 0;
    QTest::newRow("the right pane only") << QList<int>{1} << 1;
    QTest::newRow("neither") << QList<int>{} << -1;
}

void TestSplitview::doubleClickTarget()
{
    QFETCH(QList<int>, mayCollapse);
    QFETCH(int, collapsed);

    Fixture f({600, 368});
    f.mayCollapse(mayCollapse);
    f.open();
    f.click(603, 1000);
    f.click(603, 1001);
    for (int i = 0; i < 2; ++i)
        QCOMPARE(f.sv->IsSubviewCollapsed(f.panes[i]), i == collapsed);
    if (collapsed < 0)
        QCOMPARE(f.sizes(), (QList<int>{600, 368}));
    if (collapsed == 0) {
        QCOMPARE(f.sizes(), (QList<int>{0, 968}));
        QCOMPARE(f.pos(1), 8);
    }
}

void TestSplitview::doubleClickOnMiddlePane()
{
    Fixture f({300, 300, 360});
    f.mayCollapse({1});
    f.open();
    f.click(610, 1000);
    f.click(610, 1001);
    QVERIFY(f.panes[1]->isHidden());
    QCOMPARE(f.sizes(), (QList<int>{300, 0, 660}));
    QCOMPARE(f.positions(), (QList<int>{0, 308, 316}));

    // The two dividers now touch; the second one starts at 308.
    QCOMPARE(f.sv->MouseInDivider(308, 0), 1);
    f.click(312, 2000);
    f.click(312, 2001);
    QVERIFY(!f.panes[1]->isHidden());
    QCOMPARE(f.sizes(), (QList<int>{300, 330, 330}));
    QCOMPARE(f.positions(), (QList<int>{0, 308, 646}));
}

void TestSplitview::tripleClick()
{
    Fixture f({600, 368});
    f.documentWindowRules();
    f.open();
    f.click(603, 1000);
    f.click(603, 1010);
    QVERIFY(f.sv->IsSubviewCollapsed(f.panes[1]));
    f.click(970, 1030);
    QVERIFY(!f.sv->IsSubviewCollapsed(f.panes[1]));
    f.click(486, 1031);  // past the interval of the single click
    QVERIFY(!f.sv->IsSubviewCollapsed(f.panes[1]));
}

void TestSplitview::clickTimeSharedAcrossDividers()
{
    Fixture f({300, 300, 360});
    f.mayCollapse({2});
    f.open();
    f.click(302, 1000);
    f.click(610, 1010);
    QVERIFY(f.sv->IsSubviewCollapsed(f.panes[2]));
    QCOMPARE(f.sizes(), (QList<int>{300, 660, 0}));
}

void TestSplitview::dragEndingInDoubleClick()
{
    Fixture f({600, 368});
    f.documentWindowRules();
    f.open();
    f.click(603, 1000);
    f.now = 1020;
    f.press(603);
    f.move(403);
    f.release(403);
    QVERIFY(f.sv->IsSubviewCollapsed(f.panes[1]));
    QCOMPARE(f.sizes(), (QList<int>{968, 0}));
}

void TestSplitview::threePanesAwayFromWindowCorner()
{
    Fixture f({300, 300, 360});
    f.open();
    QCOMPARE(f.sv->pos(), QPoint(50, 30));

    // Grabbing and nudging a divider moves it by the nudge alone.
    f.drag(610, 611);
    QCOMPARE(f.sizes(), (QList<int>{300, 301, 359}));
    f.drag(303, 302);
    QCOMPARE(f.sizes(), (QList<int>{299, 302, 359}));

    // Each divider stops at its neighbours; the far panes stay where they are.
    f.drag(300, 2000);
    QCOMPARE(f.sizes(), (QList<int>{601, 0, 359}));
    QCOMPARE(f.positions(), (QList<int>{0, 609, 617}));
    f.drag(612, -500);
    QCOMPARE(f.sizes(), (QList<int>{601, 0, 359}));
    f.drag(601, 100);
    QCOMPARE(f.sizes(), (QList<int>{100, 501, 359}));
    f.drag(612, -500);
    QCOMPARE(f.sizes(), (QList<int>{100, 0, 860}));
    QCOMPARE(f.positions(), (QList<int>{0, 108, 116}));

    // A middle pane that may collapse collapses by drag between its neighbours.
    Fixture g({300, 300, 360});
    g.sv->MinSizeOfSubview = [](QWidget*, int& min) {
        min = 120;
        return true;
    };
    g.mayCollapse({1});
    g.open();
    g.drag(300, 550);
    QVERIFY(g.sv->IsSubviewCollapsed(g.panes[1]));
    QCOMPARE(g.sizes(), (QList<int>{600, 0, 360}));
    QCOMPARE(g.positions(), (QList<int>{0, 608, 616}));
}

void TestSplitview::paintKeepsDraggedSizes()
{
    Fixture f({403, 560});
    f.documentWindowRules();
    f.open();
    QCOMPARE(f.sizes(), (QList<int>{403, 565}));
    f.drag(404, 601);
    f.sv->grab();
    QCOMPARE(f.sizes(), (QList<int>{600, 368}));
    f.panes[0]->resize(500, 556);
    f.sv->grab();
    QCOMPARE(f.sizes(), (QList<int>{500, 368}));

    // A new size of the control reaches the panes through the paint that follows.
    f.sv->resize(1076, 556);
    QTRY_COMPARE(f.sizes(), (QList<int>{500, 568}));
}

void TestSplitview::gripPictureAndDrawing()
{
    Fixture f({300, 300, 360});
    f.open();
    const QImage dot = f.sv->DotPicture().toImage().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!dot.isNull());
    QCOMPARE(dot.width(), dot.height());

    // The mask's grey level is the grip's opacity.
    const QImage source = Pictures::PicSeparatorDot().toImage().convertToFormat(QImage::Format_ARGB32);
    const int s = dot.height();
    QCOMPARE(source.size(), QSize(2 * s, s));
    QPoint opaque(-1, -1);
    QPoint clear(-1, -1);
    for (int y = 0; y < s; ++y) {
        for (int x = 0; x < s; ++x) {
            const int expected = qAlpha(source.pixel(x, y)) * qGray(source.pixel(s + x, y)) / 255;
            QVERIFY2(qAbs(qAlpha(dot.pixel(x, y)) - expected) <= 1, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            if (qAlpha(dot.pixel(x, y)) == 255)
                opaque = QPoint(x, y);
            if (qAlpha(dot.pixel(x, y)) == 0)
                clear = QPoint(x, y);
        }
    }
    QVERIFY(opaque.x() >= 0);
    QVERIFY(clear.x() >= 0);

    // Drawn in the middle of every divider, over what lies behind the control.
    const QImage shot = f.sv->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb background = f.sv->palette().color(QPalette::Window).rgb();
    for (int divider : {300, 608}) {
        const QPoint corner(divider + 4 - s / 2, 278 - s / 2);
        QCOMPARE(shot.pixel(corner + opaque), dot.pixel(opaque));
        QCOMPARE(shot.pixel(corner + clear), background);
        QCOMPARE(shot.pixel(divider + 1, 2), background);
    }
}

QTEST_MAIN(TestSplitview)
#include "tst_splitview.moc"
