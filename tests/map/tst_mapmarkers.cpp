#include "map/MapBridge.h"
#include "ov2/Ov2Dylib.h"
#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "platform/PoiColumn.h"
#include "support/AppFixture.h"
#include "support/PageProbe.h"
#include "support/TestMain.h"
#include "support/WindowRows.h"
#include "window/Applicazione.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

using PageProbe::Evaluate;
using WindowRows::MarkedRows;

namespace {

using enum PoiColumn::Index;

// A window with its map page loaded and `rows` rows on the parallel 43, 0.01 degrees of
// longitude apart from 10.0 eastwards, unmarked and unmodified.
Applicazione* mapWindow(AppFixture& f, int rows)
{
    Applicazione* w = f.newWindow();
    for (int i = 0; i < rows; ++i)
        w->AggiungiPdiAllaLista(QStringLiteral("P%1").arg(i), QStringLiteral("43.0"),
                                QString::number(10.0 + 0.01 * i, 'f', 2), QStringLiteral("0"));
    w->setModificato(false);
    if (!PageProbe::WaitForMapPage(*w->web1())
        || !QTest::qWaitFor([w] { return !w->ProgressBar1()->isVisible(); }, 30000))
        qWarning("map page not loaded");
    return w;
}

void mark(Listbox& list, const QList<int>& rows)
{
    for (int row : rows)
        list.setCellCheck(row, Description, true);
}

QStringList ids(const Listbox& list, const QList<int>& rows)
{
    QStringList texts;
    for (int row : rows)
        texts << list.Cell(row, Id);
    return texts;
}

// The identifiers of the page's markers, in the order they arrived.
QStringList pageIds(Applicazione& w)
{
    return PageProbe::SettledState(*w.web1()).value("ids").toStringList();
}

// Each time the running loop hands control to the event loop, what the bar shows:
// its value, or "hidden".
class EventPoints {
public:
    explicit EventPoints(const QProgressBar& bar)
    {
        mTimer.setInterval(0);
        QObject::connect(&mTimer, &QTimer::timeout, [this, &bar] {
            points << (bar.isVisible() ? QString::number(bar.value()) : QStringLiteral("hidden"));
        });
        mTimer.start();
    }
    QStringList points;

private:
    QTimer mTimer;
};

}  // namespace

// Markers of the marked rows, and marking by radius, with the real map page.
class TestMapMarkers : public QObject {
    Q_OBJECT
private slots:
    void eventsAtStepRows_data();
    void eventsAtStepRows();
    void markedRowsTenRows();
    void markedRowsTwoRows();
    void emptyListAndClearing();
    void radiusTenRows();
    void radiusZero();
    void nearSelectedRow();
    void deletingMarkedRowsRemovesTheirMarkers();
    void gatheredCallsReachThePageTogether();
};

void TestMapMarkers::eventsAtStepRows_data()
{
    // Every row marked, or within the radius: the loops hand control to the event loop at
    // each of their step rows. The radius loop shows the rows it marked with the markers'.
    QTest::addColumn<bool>("radius");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("points");
    QTest::newRow("ten rows in thirds") << false << 10 << QStringList {"hidden", "0", "3", "6", "9", "9"};
    QTest::newRow("nine rows in thirds") << false << 9 << QStringList {"hidden", "0", "3", "6", "8"};
    QTest::newRow("ten rows in fifths") << true << 10
                                        << QStringList {"0", "2", "4", "6", "8", "8", "0", "3", "6", "9", "9"};
    QTest::newRow("eleven rows in fifths")
        << true << 11 << QStringList {"0", "2", "4", "6", "8", "10", "10", "0", "3", "6", "9", "10"};
    QTest::newRow("four rows in fifths") << true << 4 << QStringList {"0", "0", "0", "1", "2", "3", "3"};
}

void TestMapMarkers::eventsAtStepRows()
{
    QFETCH(bool, radius);
    QFETCH(int, rows);
    QFETCH(QStringList, points);
    AppFixture f;
    Applicazione* w = mapWindow(f, rows);
    Listbox& list = *w->ListBox1();
    QList<int> all;
    for (int row = 0; row < rows; ++row)
        all << row;
    {
        EventPoints events(*w->ProgressBar1());
        if (radius) {
            w->MostraPdiNelRaggio(43.0, 10.0, 1000.0);
        } else {
            mark(list, all);
            w->CaricaPdiMappa();
        }
        QCOMPARE(events.points, points);
    }
    QCOMPARE(MarkedRows(list), all);
    QCOMPARE(pageIds(*w), ids(list, all));
}

void TestMapMarkers::markedRowsTenRows()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 10);
    Listbox& list = *w->ListBox1();
    w->Map().AggiungiPdi(0);  // an earlier marker, cleared first
    mark(list, {1, 4, 9});
    {
        EventPoints events(*w->ProgressBar1());
        w->CaricaPdiMappa();
        // Before the loop, at the marked step row 9 only (0, 3 and 6 are unmarked), after.
        QCOMPARE(events.points, (QStringList{"hidden", "9", "9"}));
    }
    QVERIFY(!w->ProgressBar1()->isVisible());
    QCOMPARE(w->ProgressBar1()->maximum(), 9);
    QCOMPARE(pageIds(*w), ids(list, {1, 4, 9}));
    // The map was fitted to the markers.
    QVERIFY(Evaluate(*w->web1(), "LumetraMap.map.getBounds().contains([[43,10.01],[43,10.09]])").toBool());
    QCOMPARE(MarkedRows(list), (QList<int>{1, 4, 9}));
    QVERIFY(!w->Modificato());
}

void TestMapMarkers::markedRowsTwoRows()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 2);
    Listbox& list = *w->ListBox1();
    mark(list, {0, 1});
    EventPoints events(*w->ProgressBar1());
    w->CaricaPdiMappa();
    QCOMPARE(events.points, (QStringList{"hidden", "0", "1"}));
    QCOMPARE(pageIds(*w), ids(list, {0, 1}));
}

void TestMapMarkers::emptyListAndClearing()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 3);
    Listbox& list = *w->ListBox1();
    mark(list, {0, 2});
    w->CaricaPdiMappa();
    QCOMPARE(pageIds(*w).size(), 2);

    // Clearing the map leaves the list and its marks alone.
    w->SvuotaPdiMappa();
    QVERIFY(pageIds(*w).isEmpty());
    QCOMPARE(MarkedRows(list), (QList<int>{0, 2}));

    w->CaricaPdiMappa();
    list.DeleteAllRows();
    w->CaricaPdiMappa();
    QVERIFY(pageIds(*w).isEmpty());
    QVERIFY(!w->ProgressBar1()->isVisible());
}

void TestMapMarkers::radiusTenRows()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 10);
    Listbox& list = *w->ListBox1();
    mark(list, {7, 9});  // marks outside the radius are lost
    // Exactly the distance of row 4: not greater, so row 4 is inside.
    const double radius = DistLatLong(43.0, 10.0, 43.0, 10.04);
    {
        EventPoints events(*w->ProgressBar1());
        w->MostraPdiNelRaggio(43.0, 10.0, radius);
        // The radius loop at rows 0, 2, 4, 6, 8; then the markers' loop: before it, at its
        // marked step rows 0 and 3, after it.
        QCOMPARE(events.points, (QStringList{"0", "2", "4", "6", "8", "8", "0", "3", "9"}));
    }
    QCOMPARE(MarkedRows(list), (QList<int>{0, 1, 2, 3, 4}));
    QCOMPARE(pageIds(*w), ids(list, {0, 1, 2, 3, 4}));
    QVERIFY(w->LabelSelezionati()->text().contains("5 / 10"));
    QVERIFY(!w->ProgressBar1()->isVisible());
    QVERIFY(!w->Modificato());
    QVERIFY(!w->windowTitle().contains(" *"));
    for (int row = 0; row < list.ListCount(); ++row)
        QCOMPARE(list.Cell(row, Mod), QString("0"));
}

void TestMapMarkers::radiusZero()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 3);
    Listbox& list = *w->ListBox1();
    // A latitude that is not a number counts as 0.
    list.setCell(1, Latitude, "abc");
    list.setCell(1, Longitude, "10.01");
    list.setCell(2, Latitude, "0.000001");
    list.setCell(2, Longitude, "10.01");
    mark(list, {0, 2});
    w->MostraPdiNelRaggio(0.0, 10.01, 0.0);
    QCOMPARE(MarkedRows(list), QList<int>{1});
    QCOMPARE(pageIds(*w), ids(list, {1}));
    const QVariantMap marker = Evaluate(*w->web1(), "LumetraMap.marker('" + list.Cell(1, Id) + "')").toMap();
    QCOMPARE(marker.value("lat").toDouble(), 0.0);
}

void TestMapMarkers::nearSelectedRow()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 4);
    Listbox& list = *w->ListBox1();
    list.setCell(3, Longitude, "10.5");  // about 41 km east of row 0
    mark(list, {3});
    w->CaricaPdiMappa();

    // With no selected row nothing is marked nor sent.
    w->MostraPdiVicino();
    QCOMPARE(MarkedRows(list), QList<int>{3});
    QCOMPARE(pageIds(*w), ids(list, {3}));

    w->setDisableClickPoi(true);  // keeps the selection from showing a point
    list.setListIndex(0);
    w->setDisableClickPoi(false);
    w->MostraPdiVicino();
    QCOMPARE(MarkedRows(list), (QList<int>{0, 1, 2}));
    QCOMPARE(pageIds(*w), ids(list, {0, 1, 2}));
}

void TestMapMarkers::deletingMarkedRowsRemovesTheirMarkers()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 6);
    Listbox& list = *w->ListBox1();
    const QStringList kept = ids(list, {0, 3, 5});
    mark(list, {0, 1, 2, 3, 4, 5});
    w->CaricaPdiMappa();
    QCOMPARE(pageIds(*w).size(), 6);
    for (int row : {0, 3, 5})
        list.setCellCheck(row, Description, false);
    w->EliminaPdiDallaLista();
    QCOMPARE(pageIds(*w), kept);
    QCOMPARE(list.ListCount(), 3);
}

void TestMapMarkers::gatheredCallsReachThePageTogether()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 3);
    Listbox& list = *w->ListBox1();
    MapBridge& map = w->Map();
    map.BeginCalls();
    map.AggiungiPdi(0);
    map.BeginCalls();
    map.AggiungiPdi(1);
    map.AggiungiPdi(2);
    map.EliminaPdi(list.Cell(0, Id));
    map.EndCalls();
    QCOMPARE(Evaluate(*w->web1(), QStringLiteral("LumetraMap.state().ids.length")).toInt(), 0);  // nothing sent yet
    map.EndCalls();
    QCOMPARE(pageIds(*w), ids(list, {1, 2}));

    // Removing every row's marker, the shown point's among them, leaves the page none.
    map.MostraPunto(0);
    map.BeginCalls();
    for (int row = 0; row < 3; ++row)
        map.EliminaPdi(list.Cell(row, Id));
    map.EndCalls();
    QVERIFY(pageIds(*w).isEmpty());
    QVERIFY(PageProbe::SettledState(*w->web1()).value("highlight").isNull());
    map.AggiungiPdi(0);
    QCOMPARE(pageIds(*w), ids(list, {0}));
}

LUMETRA_TEST_MAIN(TestMapMarkers)

#include "tst_mapmarkers.moc"
