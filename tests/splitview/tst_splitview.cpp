#include "shell/Pictures.h"
#include "splitview/SplitFixture.h"

class TestSplitview : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void firstLayoutOfTheDocumentWindow();
    void fullLayout_data();
    void fullLayout();
    void oneOrNoSubview();
    void subviewsAndThickness();
    void paintKeepsDraggedSizes();
    void resizeUnderCoveringPanes_data();
    void resizeUnderCoveringPanes();
    void gripPictureAndDrawing();
};

void TestSplitview::firstLayoutOfTheDocumentWindow()
{
    SplitFixture f({403, 560});
    new QWidget(f.panes[0]);  // a grandchild is no subview
    f.documentWindowRules();
    int opened = 0;
    f.sv->Open_.connect(f.sv, [&] {
        ++opened;
        f.sv->setVertical(true);
    });
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

    SplitFixture f(sizes, vertical, extent);
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
    SplitFixture one({300});
    one.open();
    QCOMPARE(one.panes[0]->geometry(), QRect(0, 0, 976, 556));
    QCOMPARE(one.sv->MouseInDivider(300, 10), -1);

    SplitFixture none({});
    none.open();
    none.sv->AdjustSubviews();
    none.sv->resize(500, 300);
    none.sv->grab();
    QVERIFY(none.sv->Subviews().isEmpty());
}

void TestSplitview::subviewsAndThickness()
{
    SplitFixture f({300, 300, 360});
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
    f.sv->DividerThickness.connect(f.sv, [&] {
        ++asked;
        return 0;
    });
    QCOMPARE(f.sv->GetDividerThickness(), 8);
    f.sv->DividerThickness.connect(f.sv, [&] {
        ++asked;
        return 12;
    });
    f.sv->setVertical(true);  // the same value lays out all the same
    QVERIFY(asked >= 2);
    QCOMPARE(f.panes[2]->width() + 12 + middle->width(), 976);
    QCOMPARE(middle->x(), f.panes[2]->width() + 12);

    int closed = 0;
    f.sv->Close_.connect(f.sv, [&] { ++closed; });
    f.sv->Close();
    QCOMPARE(closed, 1);
}

void TestSplitview::paintKeepsDraggedSizes()
{
    SplitFixture f({403, 560});
    f.documentWindowRules();
    f.open();
    QCOMPARE(f.sizes(), (QList<int>{403, 565}));
    f.drag(404, 601);
    f.sv->grab();
    QCOMPARE(f.sizes(), (QList<int>{600, 368}));
    f.panes[0]->resize(500, 556);
    f.sv->grab();
    QCOMPARE(f.sizes(), (QList<int>{500, 368}));

    // A new size of the control fits the panes again.
    f.sv->resize(1076, 556);
    QTRY_COMPARE(f.sizes(), (QList<int>{500, 568}));
}

void TestSplitview::initTestCase()
{
    // The split view finds its grip by name, as the program registers it at start-up.
    Pictures::RegisterAll();
}

void TestSplitview::resizeUnderCoveringPanes_data()
{
    QTest::addColumn<bool>("collapseList");
    QTest::addColumn<int>("widenBy");
    QTest::addColumn<int>("dragTo");
    QTest::addColumn<int>("finalWidth");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("list collapsed, narrowed by 46") << true << 0 << -1 << 930 << QList<int>{922, 0};
    QTest::newRow("widened, map dragged wide, restored") << false << 200 << 1048 << 976 << QList<int>{968, 0};
}

void TestSplitview::resizeUnderCoveringPanes()
{
    // Opaque panes that cover the whole control keep every paint event from it.
    QFETCH(bool, collapseList);
    QFETCH(int, widenBy);
    QFETCH(int, dragTo);
    QFETCH(int, finalWidth);
    QFETCH(QList<int>, expected);
    SplitFixture f({403, 560});
    f.documentWindowRules();
    for (QWidget* pane : f.panes)
        pane->setAutoFillBackground(true);
    f.open();
    if (collapseList) {
        f.click(404, 1000);
        f.click(404, 1010);
        QVERIFY(f.sv->IsSubviewCollapsed(f.panes[1]));
    }
    if (widenBy > 0) {
        f.sv->resize(976 + widenBy, 556);
        // The last pane reaches the new edge once the control has taken its size.
        QTRY_COMPARE(f.pos(1) + f.size(1), 976 + widenBy);
        f.drag(404, dragTo + 1);  // grabbed one pixel into the divider
        QCOMPARE(f.sizes(), (QList<int>{dragTo, 976 + widenBy - 8 - dragTo}));
    }
    f.sv->resize(finalWidth, 556);

    QTRY_COMPARE(f.sizes(), expected);
    const int divider = expected[0];
    QCOMPARE(f.pos(1), divider + 8);
    QCOMPARE(f.sv->MouseInDivider(divider + 4, 278), 1);
    QVERIFY(!f.panes[0]->geometry().contains(divider + 4, 278));
}

void TestSplitview::gripPictureAndDrawing()
{
    SplitFixture f({300, 300, 360});
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
