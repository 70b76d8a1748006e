#include "splitview/SplitFixture.h"

class TestSplitviewMouse : public QObject {
    Q_OBJECT
private slots:
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
};

void TestSplitviewMouse::hitTestingAndCursor_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<bool>("hit");

    QTest::newRow("599, last pixel of the left pane") << 599 << false;
    QTest::newRow("600, first pixel of the divider") << 600 << true;
    QTest::newRow("608, first pixel of the right pane") << 608 << true;
    QTest::newRow("609") << 609 << false;
}

void TestSplitviewMouse::hitTestingAndCursor()
{
    QFETCH(int, x);
    QFETCH(bool, hit);

    SplitFixture f({600, 368});
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

void TestSplitviewMouse::grabOffsetAndDrag()
{
    SplitFixture f({600, 368});
    f.open();
    f.drag(603, 403);
    QCOMPARE(f.panes[0]->geometry(), QRect(0, 0, 400, 556));
    QCOMPARE(f.panes[1]->geometry(), QRect(408, 0, 568, 556));
}

void TestSplitviewMouse::dragBounds_data()
{
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<int>("hiddenPane");

    QTest::newRow("far left stops at 0") << -500 << QList<int>{0, 968} << 0;
    QTest::newRow("far right stops at width - 8") << 2000 << QList<int>{968, 0} << 1;
}

void TestSplitviewMouse::dragBounds()
{
    QFETCH(int, to);
    QFETCH(QList<int>, sizes);
    QFETCH(int, hiddenPane);

    SplitFixture f({600, 368});
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

void TestSplitviewMouse::documentWindowRules_data()
{
    QTest::addColumn<int>("edge");
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("collapsed");

    QTest::newRow("left minimum") << 50 << 120 << false;
    QTest::newRow("right at its minimum") << 848 << 848 << false;
    QTest::newRow("right below its minimum collapses") << 849 << 968 << true;
    QTest::newRow("right far below") << 900 << 968 << true;
}

void TestSplitviewMouse::documentWindowRules()
{
    QFETCH(int, edge);
    QFETCH(int, left);
    QFETCH(bool, collapsed);

    SplitFixture f({403, 560});
    f.documentWindowRules();
    f.open();
    f.drag(404, edge + 1);  // grabbed one pixel into the divider at 403
    QCOMPARE(f.size(0), left);
    QCOMPARE(f.size(1), 968 - left);
    QCOMPARE(f.pos(1), left + 8);
    QCOMPARE(f.sv->IsSubviewCollapsed(f.panes[1]), collapsed);
    QVERIFY(!f.sv->IsSubviewCollapsed(f.panes[0]));
}

void TestSplitviewMouse::eventsOfOneDragStep()
{
    SplitFixture f({400, 568});
    QStringList& log = f.events;
    auto name = [&f](QWidget* v) { return v == f.panes[0] ? QStringLiteral("A") : QStringLiteral("B"); };
    f.sv->MinSizeOfSubview.connect(f.sv, [&](QWidget* v, int& min) {
        log << "min " + name(v);
        min = 120;
        return true;
    });
    f.sv->MaxSizeOfSubview.connect(f.sv, [&](QWidget* v, int&) {
        log << "max " + name(v);
        return false;
    });
    f.sv->CanCollapseSubview.connect(f.sv, [&](QWidget* v) {
        log << "collapse " + name(v);
        return false;
    });
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

void TestSplitviewMouse::dragCollapsedPaneStaysRecorded()
{
    SplitFixture f({403, 565});
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

void TestSplitviewMouse::maximums_data()
{
    QTest::addColumn<int>("maxA");
    QTest::addColumn<int>("maxB");
    QTest::addColumn<int>("edge");
    QTest::addColumn<QList<int>>("sizes");

    QTest::newRow("A held at its maximum") << 300 << -1 << 500 << QList<int>{300, 668};
    QTest::newRow("B held at its maximum") << -1 << 200 << 100 << QList<int>{768, 200};
    QTest::newRow("within both") << 700 << 700 << 500 << QList<int>{500, 468};
}

void TestSplitviewMouse::maximums()
{
    QFETCH(int, maxA);
    QFETCH(int, maxB);
    QFETCH(int, edge);
    QFETCH(QList<int>, sizes);

    SplitFixture f({600, 368});
    f.sv->MaxSizeOfSubview.connect(f.sv, [&](QWidget* v, int& max) {
        max = v == f.panes[0] ? maxA : maxB;
        return max >= 0;
    });
    f.open();
    f.drag(600, edge);
    QCOMPARE(f.sizes(), sizes);
    // The panes still fill the control, so the divider lies where it is drawn.
    QCOMPARE(f.pos(1), sizes[0] + 8);
    QCOMPARE(f.sv->MouseInDivider(sizes[0], 0), 1);
}

void TestSplitviewMouse::twoDragEventsAtOnePoint()
{
    SplitFixture f({600, 368});
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

void TestSplitviewMouse::stackedDrag()
{
    SplitFixture f({200, 348}, false, 556);
    f.open();
    QCOMPARE(f.sv->MouseInDivider(100000, 208), 1);
    f.hover(204);
    QCOMPARE(f.sv->cursor().shape(), Qt::SplitVCursor);
    f.drag(202, 302);
    QCOMPARE(f.panes[0]->geometry(), QRect(0, 0, 976, 300));
    QCOMPARE(f.panes[1]->geometry(), QRect(0, 308, 976, 248));
}

void TestSplitviewMouse::doubleClickInterval_data()
{
    QTest::addColumn<int>("gap");
    QTest::addColumn<bool>("collapsed");

    QTest::newRow("same tick") << 0 << true;
    QTest::newRow("at the interval") << 30 << true;
    QTest::newRow("past the interval") << 31 << false;
}

void TestSplitviewMouse::doubleClickInterval()
{
    QFETCH(int, gap);
    QFETCH(bool, collapsed);

    SplitFixture f({600, 368});
    f.documentWindowRules();
    f.open();
    // The very first click is single, whatever the clock says.
    f.click(603, 0);
    QVERIFY(!f.sv->IsSubviewCollapsed(f.panes[1]));
    f.click(603, 0 + gap);
    QCOMPARE(f.sv->IsSubviewCollapsed(f.panes[1]), collapsed);
}

void TestSplitviewMouse::doubleClickOnLastPane()
{
    SplitFixture f({600, 368});
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

    f.sv->ExpandingView.connect(f.sv, [](QWidget*) { return 200; });
    f.click(486, 3000);
    f.click(486, 3010);
    f.click(970, 4000);
    f.click(970, 4010);
    QCOMPARE(f.sizes(), (QList<int>{768, 200}));
    QCOMPARE(f.pos(1), 776);
}

void TestSplitviewMouse::doubleClickTarget_data()
{
    QTest::addColumn<QList<int>>("mayCollapse");
    QTest::addColumn<int>("collapsed");

    QTest::newRow("both: the left pane") << QList<int>{0, 1} << 0;
    QTest::newRow("the right pane only") << QList<int>{1} << 1;
    QTest::newRow("neither") << QList<int>{} << -1;
}

void TestSplitviewMouse::doubleClickTarget()
{
    QFETCH(QList<int>, mayCollapse);
    QFETCH(int, collapsed);

    SplitFixture f({600, 368});
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

void TestSplitviewMouse::doubleClickOnMiddlePane()
{
    SplitFixture f({300, 300, 360});
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

void TestSplitviewMouse::tripleClick()
{
    SplitFixture f({600, 368});
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

void TestSplitviewMouse::clickTimeSharedAcrossDividers()
{
    SplitFixture f({300, 300, 360});
    f.mayCollapse({2});
    f.open();
    f.click(302, 1000);
    f.click(610, 1010);
    QVERIFY(f.sv->IsSubviewCollapsed(f.panes[2]));
    QCOMPARE(f.sizes(), (QList<int>{300, 660, 0}));
}

void TestSplitviewMouse::dragEndingInDoubleClick()
{
    SplitFixture f({600, 368});
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

void TestSplitviewMouse::threePanesAwayFromWindowCorner()
{
    SplitFixture f({300, 300, 360});
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
    SplitFixture g({300, 300, 360});
    g.sv->MinSizeOfSubview.connect(g.sv, [](QWidget*, int& min) {
        min = 120;
        return true;
    });
    g.mayCollapse({1});
    g.open();
    g.drag(300, 550);
    QVERIFY(g.sv->IsSubviewCollapsed(g.panes[1]));
    QCOMPARE(g.sizes(), (QList<int>{600, 0, 360}));
    QCOMPARE(g.positions(), (QList<int>{0, 608, 616}));
}

QTEST_MAIN(TestSplitviewMouse)
#include "tst_splitviewmouse.moc"
