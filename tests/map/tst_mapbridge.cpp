#include "map/MakerServer.h"
#include "map/MapBridge.h"
#include "platform/EditField.h"
#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "platform/PageMessages.h"
#include "platform/PoiColumn.h"
#include "platform/UrlCodec.h"
#include "support/AppFixture.h"
#include "support/FileBytes.h"
#include "support/PageProbe.h"
#include "support/TestHttpServer.h"
#include "support/TestMain.h"
#include "support/WindowRows.h"
#include "window/Applicazione.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDesktopServices>
#include <QItemSelectionModel>
#include <QProgressBar>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using PageProbe::Evaluate;
using PageProbe::SettledState;

namespace {

using enum PoiColumn::Index;

// A window with its map page loaded and rows "P0", "P1", ... at 43.i, 10.i, unmodified.
Applicazione* mapWindow(AppFixture& f, int rows)
{
    Applicazione* w = f.newWindow();
    WindowRows::AddNumberedRows(*w, rows);
    if (!PageProbe::WaitForMapPage(*w->web1()))
        qWarning("map page not loaded");
    return w;
}

QString doubleEncoded(const QString& text)
{
    return EncodeURLComponent(EncodeURLComponent(text));
}

// A map page of the maker's kind: it defines the functions the program calls and nothing
// of ours, and records each call as its text, and whether it came with a "this" a plain
// call has not. AggiungiPdi fails for "P2"; AdattaZoom is a global of the page's scripts,
// not a property of the window.
const QByteArray kRecordingPage = R"html(<!DOCTYPE html><html><head><meta charset="utf-8"></head><body><script>
"use strict";
var calls = [];
var received = [];
function record(name, args, self) {
    calls.push(name + "(" + Array.prototype.map.call(args, function (a) {
        return typeof a === "string" ? "'" + a + "'" : String(a);
    }).join(",") + ")" + (self === undefined ? "" : " with this"));
}
function MostraPunto(lat, lng, description, id) { record("MostraPunto", arguments, this); }
function EliminaTutto() { record("EliminaTutto", arguments, this); }
function AggiungiPdi(lat, lng, description, id) {
    record("AggiungiPdi", arguments, this);
    if (decodeURIComponent(description) === "P2") {
        throw new Error("refused");
    }
    received.push(id);
}
const AdattaZoom = function () { record("AdattaZoom", arguments, this); };
function EliminaPdi(id) { record("EliminaPdi", arguments, this); }
function EliminaPdiRicerca() { record("EliminaPdiRicerca", arguments, this); }
function CercaIndirizzo(text) { record("CercaIndirizzo", arguments, this); }
function MostraRicercaTelefono(lat, lng, text) { record("MostraRicercaTelefono", arguments, this); }
function move(id, position) {
    LumetraHost.navigate('handler://CMD1' + encodeURIComponent(encodeURIComponent(id + '|' + position)));
}
</script></body></html>)html";

// The calls the page has recorded since it was last asked, in order.
QStringList takeCalls(HTMLViewer& view)
{
    return Evaluate(view, "calls.splice(0).join('\\n')").toString().split('\n', Qt::SkipEmptyParts);
}

// The maker's server on 127.0.0.1 with kRecordingPage as its map page, for as long as it lives.
struct RecordingServer {
    TestHttpServer server;
    RecordingServer()
    {
        server.route("/maps/lumetra/default.aspx", {200, kRecordingPage, "text/html; charset=utf-8"});
        qputenv("LUMETRA_SERVER", server.address().toUtf8());
    }
    ~RecordingServer() { qputenv("LUMETRA_SERVER", ""); }
};

// A new window with the recording page loaded and ready, nothing recorded yet.
Applicazione* recordingWindow(AppFixture& f)
{
    Applicazione* w = f.newWindow();
    HTMLViewer& view = *w->web1();
    if (!QTest::qWaitFor(
            [&] { return Evaluate(view, "!!(window.LumetraHost && LumetraHost.ready())").toBool(); }, 30000))
        qWarning("recording page not loaded");
    takeCalls(view);
    return w;
}

// What the recording page writes down of the call for a row's marker: the position as the
// numbers the page received, the description (still encoded) and identifier as texts.
QString recordedPoint(const char* function, const Listbox& list, int row)
{
    return QString("%1(%2,%3,'%4','%5')")
        .arg(function, QString::number(list.Cell(row, Latitude).toDouble()),
            QString::number(list.Cell(row, Longitude).toDouble()), EncodeURLComponent(list.Cell(row, Description)),
            list.Cell(row, Id));
}

// What CaricaPdiMappa makes the page receive for the marked rows.
QStringList recordedMarkers(const Listbox& list)
{
    QStringList calls {"EliminaTutto()"};
    for (int row : WindowRows::MarkedRows(list))
        calls << recordedPoint("AggiungiPdi", list, row);
    return calls << "AdattaZoom()";
}

const char* const kMadeUpScheme = "lumetra-test-made-up";

} // namespace

// The window's side of the map: call texts, the navigation filter, the callbacks'
// handlers and the page-load events, against the real page.
class TestMapBridge : public QObject {
    Q_OBJECT
public:
    // What the system was asked to open past the program's services.
    Q_INVOKABLE void openedBySystem(const QUrl& url) { systemOpened << url.toString(); }

private slots:
    void callTexts();
    void callsReachThePage();
    void hostileTextsRunNothing();
    void leadingZerosPlacedAsDecimals();
    void filter_data();
    void filter();
    void movedMarker();
    void chosenMarker();
    void pickedPosition();
    void incompleteCallbacksIgnored_data();
    void incompleteCallbacksIgnored();
    void callbacksFromThePage();
    void progressBar();
    void failedLoadAndLinks();
    void makersPageGetsPlainCalls();
    void pageRequests_data();
    void pageRequests();

private:
    QStringList systemOpened;
};

// Each call, as a page of the maker's server on 127.0.0.1 receives it from the window. The
// rows' calls take the row's description, latitude, longitude and identifier; the address
// search its text; the telephone lookup's result its latitude, longitude and information.
void TestMapBridge::callTexts()
{
    struct Case {
        const char* name;
        QString call;
        QStringList texts;
        QString received;
    };
    const QString id = "0A1B2C3D-0000-4000-8000-00000000000F";
    const Case cases[] = {
        {"MostraPunto", "MostraPunto", {"Caff\u00e8 'Roma'", "43.5", "-10.25", id},
            "MostraPunto(43.5,-10.25,'Caff%C3%A8%20%27Roma%27','" + id + "')"},
        {"AggiungiPdi", "AggiungiPdi", {"a b", "43.123456", "10.000000", id},
            "AggiungiPdi(43.123456,10,'a%20b','" + id + "')"},
        {"numbers as plain decimals", "AggiungiPdi", {"", " +1.5", ".5e3", "X"}, "AggiungiPdi(1.5,500,'','X')"},
        {"leading zeros are not octal", "MostraPunto", {"", "010", "-07.5", "X"}, "MostraPunto(10,-7.5,'','X')"},
        {"script as coordinate", "AggiungiPdi", {"d", "alert(1)", "12.5);alert(2", "X"}, "AggiungiPdi(0,12.5,'d','X')"},
        {"EliminaPdi", "EliminaPdi", {"a", "1", "2", id}, "EliminaPdi('" + id + "')"},
        {"CercaIndirizzo", "CercaIndirizzo", {"Via Roma 1, Pisa"}, "CercaIndirizzo('Via%20Roma%201%2C%20Pisa')"},
        {"quotes and line breaks", "CercaIndirizzo", {"');\\\n\r\""}, "CercaIndirizzo('%27%29%3B%5C%0A%0D%22')"},
        {"MostraRicercaTelefono", "MostraRicercaTelefono", {"41.9", "012.5", "Rossi , 00100  Roma (RM)"},
            "MostraRicercaTelefono(41.9,12.5,'Rossi%20%2C%2000100%20%20Roma%20%28RM%29')"},
    };
    RecordingServer server;
    AppFixture f;
    Applicazione* w = recordingWindow(f);
    HTMLViewer& view = *w->web1();
    Listbox& list = *w->ListBox1();
    MapBridge& map = w->Map();
    for (const Case& c : cases) {
        const QStringList& texts = c.texts;
        if (texts.size() == 4) {
            list.DeleteAllRows();
            w->AggiungiPdiAllaLista(texts[0], "0", "0", "0");
            list.setCell(0, Latitude, texts[1]);
            list.setCell(0, Longitude, texts[2]);
            list.setCell(0, Id, texts[3]);
        }
        if (c.call == "MostraPunto") {
            map.MostraPunto(0);
        } else if (c.call == "AggiungiPdi") {
            map.AggiungiPdi(0);
        } else if (c.call == "EliminaPdi") {
            // The page is told to remove only a marker it was given.
            map.AggiungiPdi(0);
            QCOMPARE(takeCalls(view).size(), 1);
            map.EliminaPdi(texts[3]);
        } else if (c.call == "CercaIndirizzo") {
            map.CercaIndirizzo(texts[0]);
        } else {
            map.MostraRicercaTelefono(texts[0], texts[1], texts[2]);
        }
        const QStringList calls = takeCalls(view);
        QVERIFY2(calls == QStringList {c.received}, qPrintable(QString("%1: %2").arg(c.name, calls.join(" | "))));
    }
    QVERIFY(f.services.messages.isEmpty());
}

void TestMapBridge::callsReachThePage()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 3);
    Listbox& list = *w->ListBox1();

    // Selecting a row shows it.
    list.setListIndex(1);
    QVariantMap highlight = SettledState(*w->web1()).value("highlight").toMap();
    QCOMPARE(highlight.value("id").toString(), list.Cell(1, Id));
    QCOMPARE(highlight.value("description").toString(), QString("P1"));
    QCOMPARE(highlight.value("lat").toDouble(), 43.1);

    w->Map().AggiungiPdi(0);
    w->Map().AggiungiPdi(2);
    QCOMPARE(SettledState(*w->web1()).value("ids").toStringList(), (QStringList{list.Cell(0, Id), list.Cell(2, Id)}));
    w->Map().EliminaPdi(list.Cell(0, Id));
    QCOMPARE(SettledState(*w->web1()).value("ids").toStringList(), QStringList{list.Cell(2, Id)});

    w->Map().MostraRicercaTelefono("41.9", "12.5", "Rossi, Roma");
    QCOMPARE(SettledState(*w->web1()).value("search").toMap().value("description").toString(), QString("Rossi, Roma"));
    w->Map().EliminaPdiRicerca();
    QVERIFY(SettledState(*w->web1()).value("search").isNull());

    w->Map().EliminaTutto();
    QCOMPARE(SettledState(*w->web1()).value("markers").toInt(), 0);
    QVERIFY(f.services.messages.isEmpty());
}

void TestMapBridge::hostileTextsRunNothing()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 0);
    const QString hostile = "');alert(1);//";
    w->AggiungiPdiAllaLista(hostile, "alert(1)", "alert(2)", "1");
    w->AggiungiPdiAllaLista("<b onmouseover=alert(3)>x</b>", "12.5", "7", "1");
    w->Map().AggiungiPdi(0);
    w->Map().AggiungiPdi(1);
    w->Map().MostraPunto(0);
    const QVariantMap state = SettledState(*w->web1());
    QCOMPARE(state.value("markers").toInt(), 2);
    const QVariantMap first = Evaluate(*w->web1(), "LumetraMap.marker('" + w->ListBox1()->Cell(0, Id) + "')").toMap();
    QCOMPARE(first.value("description").toString(), hostile);
    QCOMPARE(first.value("lat").toDouble(), 0.0);
    QCOMPARE(first.value("lng").toDouble(), 0.0);
    QCOMPARE(state.value("highlight").toMap().value("description").toString(), hostile);
    PageProbe::SendAlertProbe(*w->web1(), "probe");
    QTRY_VERIFY(f.services.messages.contains("probe"));
    QCOMPARE(f.services.messages, QStringList{"probe"});
}

// "010" in a script is octal 8 and "07.5" no number at all: the page must get 10 and 7.5.
void TestMapBridge::leadingZerosPlacedAsDecimals()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 0);
    w->AggiungiPdiAllaLista("Octal", "010", "012", "1");
    w->AggiungiPdiAllaLista("Broken", "07.5", "-09.25", "1");
    w->Map().AggiungiPdi(0);
    w->Map().AggiungiPdi(1);
    w->ListBox1()->setListIndex(1);
    const QVariantMap state = SettledState(*w->web1());
    QCOMPARE(state.value("markers").toInt(), 2);
    const QVariantMap octal = Evaluate(*w->web1(), "LumetraMap.marker('" + w->ListBox1()->Cell(0, Id) + "')").toMap();
    QCOMPARE(octal.value("lat").toDouble(), 10.0);
    QCOMPARE(octal.value("lng").toDouble(), 12.0);
    const QVariantMap broken = Evaluate(*w->web1(), "LumetraMap.marker('" + w->ListBox1()->Cell(1, Id) + "')").toMap();
    QCOMPARE(broken.value("lat").toDouble(), 7.5);
    QCOMPARE(broken.value("lng").toDouble(), -9.25);
    QCOMPARE(state.value("highlight").toMap().value("lat").toDouble(), 7.5);
}

void TestMapBridge::filter_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("byUser");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("shown");

    const QStringList none;
    QTest::newRow("message") << "handler://CMD0ciao%20mondo" << false << true << QStringList {"ciao mondo"} << none;
    QTest::newRow("percent left after one decoding")
        << "handler://CMD0100%2525%20%7C%20a%2Cb" << false << true << QStringList {"100%25 | a,b"} << none;
    QTest::newRow("unknown command") << "handler://CMD9abc" << false << true << none << none;
    QTest::newRow("message of a million characters")
        << "handler://CMD0" + QString(1000000, 'a') << false << true
        << QStringList {QString(PageMessages::MaxCharacters, 'a') + QChar(0x2026)} << none;
    QTest::newRow("command in lower case") << "handler://cmd0abc" << false << true << QStringList {"abc"} << none;
    QTest::newRow("short handler URL") << "handler://CM" << true << true << none << none;
    QTest::newRow("exactly handler://") << "handler://" << true << true << none << none;
    QTest::newRow("our page") << "lumetra://map/index.html?ver=1.4.0.5" << false << false << none << none;
    QTest::newRow("prefix inside the query") << "https://example.org/go?to=lumetra://map/x" << true << true << none
                                             << QStringList {"https://example.org/go?to=lumetra://map/x"};
    QTest::newRow("another site") << "https://www.openstreetmap.org/copyright" << true << true << none
                                  << QStringList {"https://www.openstreetmap.org/copyright"};
    QTest::newRow("plain http, letter case")
        << "HTTP://Example.org/a" << true << true << none << QStringList {"HTTP://Example.org/a"};
    // What the user did not ask for never starts the browser.
    QTest::newRow("another site, not asked by the user")
        << "https://www.openstreetmap.org/copyright" << false << true << none << none;
    // Nothing but a web address is handed to the system.
    QTest::newRow("local file") << "file:///etc/hostname" << true << true << none << none;
    QTest::newRow("local page naming our site")
        << "file:///tmp/planted.html?from=lumetra://map" << true << true << none << none;
    QTest::newRow("bare path") << "/usr/bin/xterm" << true << true << none << none;
    QTest::newRow("made-up scheme") << "lumetra-test-made-up:run?x=1" << true << true << none << none;
    QTest::newRow("mail") << "mailto:someone@example.org" << true << true << none << none;
}

void TestMapBridge::filter()
{
    QFETCH(QString, url);
    QFETCH(bool, byUser);
    QFETCH(bool, cancelled);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, shown);
    AppFixture f;
    Applicazione* w = f.newWindow();
    QCOMPARE(w->Map().web1_CancelLoad(url, byUser), cancelled);
    QCOMPARE(f.services.messages, messages);
    QCOMPARE(f.services.urls, shown);
}

void TestMapBridge::movedMarker()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 4);
    Listbox& list = *w->ListBox1();
    list.setCell(2, Id, list.Cell(1, Id));  // two rows with one identifier
    list.setListIndex(3);
    const QString id = list.Cell(1, Id);

    w->Map().web1_CancelLoad("handler://CMD1" + doubleEncoded(id + "|44.5,11.25"));
    QCOMPARE(list.Cell(1, Latitude), QString("44.5"));
    QCOMPARE(list.Cell(1, Longitude), QString("11.25"));
    QCOMPARE(list.Cell(1, Mod), QString("1"));
    QCOMPARE(list.Cell(2, Latitude), QString("43.2"));
    QCOMPARE(list.Cell(2, Mod), QString("0"));
    QCOMPARE(list.ListIndex(), 3);
    // The move is a change a save writes: the document counts as modified.
    QVERIFY(w->Modificato());
    QVERIFY(w->windowTitle().contains(" *"));

    w->setModificato(false);
    w->Map().web1_CancelLoad("handler://CMD1" + doubleEncoded("NO-SUCH-ID|1,2"));
    QVERIFY(!w->Modificato());
    QCOMPARE(list.Cell(0, Latitude), QString("43.0"));

    // A position that is no coordinate leaves the row where it was.
    w->Map().web1_CancelLoad("handler://CMD1" + doubleEncoded(id + "|91,11.25"));
    w->Map().web1_CancelLoad("handler://CMD1" + doubleEncoded(id + "|44.5,east"));
    QCOMPARE(list.Cell(1, Latitude), QString("44.5"));
    QCOMPARE(list.Cell(1, Longitude), QString("11.25"));
    QVERIFY(!w->Modificato());
}

void TestMapBridge::chosenMarker()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 4);
    Listbox& list = *w->ListBox1();
    list.setCell(3, Id, list.Cell(2, Id));
    QList<bool> guarded;
    // Heard beside the window's own Change handler, while the selection changes.
    QObject::connect(list.view()->selectionModel(), &QItemSelectionModel::selectionChanged, &list,
        [&] { guarded << w->disableClickPoi(); });

    w->Map().web1_CancelLoad("handler://CMD3" + doubleEncoded(list.Cell(2, Id) + "|43.2,10.2"));
    QCOMPARE(list.ListIndex(), 2);
    QCOMPARE(guarded, QList<bool>{true});
    QVERIFY(!w->disableClickPoi());
    QCOMPARE(w->RigaSelezionata(), 2);
    // The map chose the row: nothing goes back to it.
    QVERIFY(SettledState(*w->web1()).value("highlight").isNull());

    // A selection the user makes is shown on the map as usual.
    list.setListIndex(0);
    QCOMPARE(guarded, (QList<bool>{true, false}));
    QCOMPARE(SettledState(*w->web1()).value("highlight").toMap().value("id").toString(), list.Cell(0, Id));

    w->Map().web1_CancelLoad("handler://CMD3" + doubleEncoded("NO-SUCH-ID|1,2"));
    QCOMPARE(list.ListIndex(), 0);
    QCOMPARE(guarded.size(), 2);
    QVERIFY(!w->Modificato());
}

void TestMapBridge::pickedPosition()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 0);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    w->EditFieldLatitudine()->setFocus();
    w->EditFieldNome()->setText("kept");
    w->Map().web1_CancelLoad("handler://CMD2" + EncodeURLComponent("-33.868820,151.209296"));
    QCOMPARE(w->EditFieldLatitudine()->Text(), QString("-33.868820"));
    QCOMPARE(w->EditFieldLongitudine()->Text(), QString("151.209296"));
    QCOMPARE(w->EditFieldNome()->Text(), QString("kept"));
    QTRY_VERIFY(w->EditFieldNome()->hasFocus());
    QCOMPARE(w->ListBox1()->ListCount(), 0);
}

void TestMapBridge::incompleteCallbacksIgnored_data()
{
    QTest::addColumn<QString>("url");
    QTest::newRow("move without bar") << "handler://CMD1" + doubleEncoded("ID 44.5,11.25");
    QTest::newRow("move without comma") << "handler://CMD1" + doubleEncoded("ID|44.5");
    QTest::newRow("choice without bar") << "handler://CMD3" + doubleEncoded("ID");
    QTest::newRow("choice without comma") << "handler://CMD3" + doubleEncoded("ID|1");
    QTest::newRow("position without comma") << "handler://CMD2" + EncodeURLComponent("44.5");
}

void TestMapBridge::incompleteCallbacksIgnored()
{
    QFETCH(QString, url);
    AppFixture f;
    Applicazione* w = mapWindow(f, 2);
    w->ListBox1()->setCell(0, Id, "ID");
    w->EditFieldLatitudine()->setText("1");
    QVERIFY(w->Map().web1_CancelLoad(url));
    QCOMPARE(w->ListBox1()->Cell(0, Latitude), QString("43.0"));
    QCOMPARE(w->ListBox1()->ListIndex(), -1);
    QCOMPARE(w->EditFieldLatitudine()->Text(), QString("1"));
    QVERIFY(!w->Modificato());
}

void TestMapBridge::callbacksFromThePage()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 3);
    Listbox& list = *w->ListBox1();
    // An upper-case identifier with "%" and blanks comes back intact.
    const QString id = "0A1B-2C3D %41 ZZ";
    list.setCell(1, Id, id);
    list.setCellCheck(1, Description, true);
    w->CaricaPdiMappa();
    QCOMPARE(SettledState(*w->web1()).value("ids").toStringList(), QStringList{id});

    Evaluate(*w->web1(), "LumetraMap.poi('" + id + "').fire('click'); 1");
    QTRY_COMPARE(list.ListIndex(), 1);
    QVERIFY(SettledState(*w->web1()).value("highlight").isNull());

    Evaluate(*w->web1(), "(function(){var m=LumetraMap.poi('" + id +
                           "'), map=LumetraMap.map;"
                           "m.fire('mousedown',{latlng:m.getLatLng(),originalEvent:{button:0}});"
                           "map.fire('mousemove',{latlng:L.latLng(45.25,9.125)});"
                           "map.fire('mouseup',{latlng:L.latLng(45.25,9.125)}); return 1;})()");
    QTRY_COMPARE(list.Cell(1, Latitude), QString("45.250000"));
    QCOMPARE(list.Cell(1, Longitude), QString("9.125000"));
    QCOMPARE(list.Cell(1, Mod), QString("1"));
    QVERIFY(w->Modificato());

    Evaluate(*w->web1(), "LumetraMap.map.fire('contextmenu',{latlng:L.latLng(41.5,-3.75)}); 1");
    QTRY_COMPARE(w->EditFieldLatitudine()->Text(), QString("41.500000"));
    QCOMPARE(w->EditFieldLongitudine()->Text(), QString("-3.750000"));
    QVERIFY(f.services.messages.isEmpty());
    QVERIFY(f.services.urls.isEmpty());
}

void TestMapBridge::progressBar()
{
    AppFixture f;
    Applicazione* w = f.newWindow();
    QProgressBar& bar = *w->ProgressBar1();
    // The page requested when the window opened shows the bar until it has loaded.
    QTRY_VERIFY(bar.isVisible());
    QVERIFY(PageProbe::WaitForMapPage(*w->web1()));
    QTRY_VERIFY(!bar.isVisible());

    MapBridge& map = w->Map();
    map.web1_DocumentBegin("x");
    QVERIFY(bar.isVisible());
    QCOMPARE(bar.value(), 0);
    map.web1_DocumentProgressChanged("x", -1);
    QCOMPARE(bar.maximum(), 0);
    QCOMPARE(bar.value(), -1);
    map.web1_DocumentProgressChanged("x", 40);
    QCOMPARE(bar.maximum(), 100);
    QCOMPARE(bar.value(), 40);
    map.web1_DocumentComplete("x");
    QVERIFY(!bar.isVisible());
    QVERIFY(f.services.messages.isEmpty());
}

void TestMapBridge::failedLoadAndLinks()
{
    AppFixture f;
    Applicazione* w = mapWindow(f, 0);
    // The page's own ways to other sites go nowhere; cancelled navigations are no failed loads.
    Evaluate(*w->web1(), "location.href = 'https://example.org/a'; window.open('https://example.org/b'); 1");
    QVERIFY(Evaluate(*w->web1(), "!!window.LumetraMap").toBool());
    QVERIFY(f.services.messages.isEmpty());
    // The page answers scripts before its load is reported complete.
    QTRY_VERIFY_WITH_TIMEOUT(!w->ProgressBar1()->isVisible(), 30000);

    // A page that cannot load is reported once, with the view's text alone.
    w->web1()->LoadURL("lumetra://map/missing.html");
    QTRY_COMPARE(f.services.messages.size(), 1);
    QVERIFY(!f.services.messages.at(0).isEmpty());
    QTRY_VERIFY(!w->ProgressBar1()->isVisible());
    // The view reports loads in order: once our page has loaded again, the failed load and
    // the links before it have said all they had to.
    w->web1()->LoadURL(MakerServer::MapPageAddress());
    QVERIFY(PageProbe::WaitForMapPage(*w->web1()));
    QTRY_VERIFY(!w->ProgressBar1()->isVisible());
    QCOMPARE(f.services.messages.size(), 1);
    QVERIFY(f.services.urls.isEmpty());
}

// The maker's page defines only the functions the program calls: every call, those the
// window gathers into one script among them, reaches it as that plain call, in order.
void TestMapBridge::makersPageGetsPlainCalls()
{
    RecordingServer server;
    AppFixture f;
    Applicazione* w = recordingWindow(f);
    // Rows 0 to 9 go between the same two event passes when the map is loaded.
    WindowRows::AddNumberedRows(*w, 30);
    HTMLViewer& view = *w->web1();
    Listbox& list = *w->ListBox1();

    // The call for "P2" fails; those after it run all the same.
    for (int row : {1, 2, 3, 5})
        list.setCellCheck(row, Description, true);
    w->CaricaPdiMappa();
    QCOMPARE(takeCalls(view), recordedMarkers(list));

    Evaluate(view, "received = []; 1");
    w->MostraPdiNelRaggio(43.0, 10.0, 15.0);
    const QList<int> near = WindowRows::MarkedRows(list);
    QVERIFY(near.size() >= 2 && near.at(0) == 0 && !near.contains(2));
    QCOMPARE(takeCalls(view), recordedMarkers(list));

    // Deleting one marked row of those shown removes its marker alone.
    const QString removed = list.Cell(near.at(1), Id);
    for (int row : near.mid(2))
        list.setCellCheck(row, Description, false);
    list.setCellCheck(0, Description, false);
    w->EliminaPdiDallaLista();
    QCOMPARE(takeCalls(view), QStringList {"EliminaPdi('" + removed + "')"});

    list.setListIndex(0);
    QCOMPARE(takeCalls(view), QStringList {recordedPoint("MostraPunto", list, 0)});

    // A marker the page moves is the row it was sent for.
    QCOMPARE(Evaluate(view, "received[0]").toString(), list.Cell(0, Id));
    Evaluate(view, "move(received[0], '44.5,11.25'); 1");
    QTRY_COMPARE(list.Cell(0, Latitude), QString("44.5"));
    QCOMPARE(list.Cell(0, Longitude), QString("11.25"));
    QVERIFY(w->Modificato());
    QVERIFY(f.services.messages.isEmpty());
}

void TestMapBridge::pageRequests_data()
{
    // Each road asks for TARGET from the maker's page, or from a frame of another site in
    // it; "ask" runs once the page's bridge is up. The web channel's host would be called
    // directly, every method of it that takes a text, were the channel the page's.
    struct Road {
        const char* name;
        const char* ask;
        bool inFrame;
        bool click;
        bool opensWebSites; // another web site goes to the system browser: the user asked
    };
    const Road roads[] = {
        {"LumetraHost.navigate", "LumetraHost.navigate(TARGET);", false, false, false},
        {"web channel's host",
            "if (window.qt && window.QWebChannel) { new QWebChannel(qt.webChannelTransport, function (c) {"
            "for (var k in c.objects.host) { if (/\\(QString\\)$/.test(k)) { c.objects.host[k](TARGET); } } }); }",
            false, false, false},
        {"window.open", "window.open(TARGET);", false, false, false},
        {"location.href", "location.href = TARGET;", false, false, false},
        {"link clicked", "", false, true, true},
        {"frame's window.open", "window.open(TARGET);", true, false, false},
        {"frame's link clicked", "", true, true, false},
    };
    struct Target {
        const char* name;
        QString url;
    };
    const Target targets[] = {
        {"local file", "file:///etc/hostname"},
        {"local page naming the server", "file://PLANTED/planted.html?from=SERVER"},
        {"bare path", "/usr/bin/xterm"},
        {"made-up scheme", QString(kMadeUpScheme) + ":run?x=1"},
        {"another web site", "https://example.org/elsewhere"},
    };
    QTest::addColumn<QByteArray>("ask");
    QTest::addColumn<bool>("inFrame");
    QTest::addColumn<bool>("click");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("shown");
    for (const Road& road : roads) {
        for (const Target& target : targets) {
            const bool other = target.url.startsWith("https:");
            // A frame's path is its own site's; a frame's link to another site opens there.
            if ((road.inFrame && target.url.startsWith('/')) || (road.inFrame && road.click && other))
                continue;
            QTest::addRow("%s: %s", road.name, target.name)
                << QByteArray(road.ask) << road.inFrame << road.click << target.url << (other && road.opensWebSites);
        }
    }
}

// Whatever a page asks for, the system opens nothing but another web site the user asked
// for, and the map view loads nothing but the maker's site: no local file, whatever its
// address holds.
void TestMapBridge::pageRequests()
{
    QFETCH(QByteArray, ask);
    QFETCH(bool, inFrame);
    QFETCH(bool, click);
    QFETCH(QString, target);
    QFETCH(bool, shown);
    TestHttpServer server;
    TestHttpServer otherSite;
    QTemporaryDir planted;
    // A local page that, once loaded, reads a file beside it and tells the program.
    FileBytes::Write(planted.filePath("secret.txt"), "secret");
    FileBytes::Write(planted.filePath("planted.html"),
        "<script>var x = new XMLHttpRequest(); x.open('GET', 'secret.txt', false); x.send();"
        "location.href = 'handler://CMD0' + encodeURIComponent('planted ' + x.responseText);</script>");
    target.replace("PLANTED", planted.path()).replace("SERVER", server.address());
    const QByteArray quoted = "'" + target.toUtf8() + "'";
    ask.replace("TARGET", quoted);
    const QByteArray link = "<a href=" + quoted + " style='display:block;height:100vh'>go</a>";
    const QByteArray done = "<script>function done() { LumetraHost.navigate('handler://CMD0done'); }</script>";
    const QByteArray html = "<!DOCTYPE html><html><head><meta charset='utf-8'></head><body style='margin:0'>";
    QByteArray body
        = link + "<script>document.addEventListener('click', function () { window.clicked = true; });</script>";
    if (inFrame) {
        otherSite.route("/frame",
            {200,
                html + link + "<script>" + ask
                    + "document.addEventListener('click', function () {"
                      "parent.postMessage('clicked', '*'); });</script></body></html>",
                "text/html"});
        body = "<iframe src='" + otherSite.address().toUtf8()
            + "/frame' onload='window.framed = true' style='border:0;display:block;width:100%;height:100vh'></iframe>"
              "<script>window.addEventListener('message', function (e) { window.clicked = e.data === 'clicked'; });"
              "</script>";
        ask.clear();
    }
    server.route("/maps/lumetra/default.aspx",
        {200,
            html + body + done
                + "<script>(function whenReady() { if (!(window.LumetraHost && LumetraHost.ready())) {"
                  "setTimeout(whenReady, 20); return; }"
                + ask + "window.asked = true; })();</script></body></html>",
            "text/html"});
    // A page of the site the view may go to.
    server.route("/usr/bin/xterm",
        {200, html + done + "<script>window.asked = window.clicked = true;</script></body></html>", "text/html"});
    qputenv("LUMETRA_SERVER", server.address().toUtf8());
    systemOpened.clear();
    for (const char* scheme : {"file", kMadeUpScheme})
        QDesktopServices::setUrlHandler(scheme, this, "openedBySystem");
    const auto restore = qScopeGuard([] {
        qputenv("LUMETRA_SERVER", "");
        for (const char* scheme : {"file", kMadeUpScheme})
            QDesktopServices::unsetUrlHandler(scheme);
    });

    AppFixture f;
    Applicazione* w = f.newWindow();
    HTMLViewer& view = *w->web1();
    // The page says it asked and may then navigate to a page that has yet to say so: once
    // asked, asked, however often the wait looks.
    bool asked = false;
    const auto hasAsked = [&] {
        return asked
            = asked || Evaluate(view, inFrame ? "!!(window.asked && window.framed)" : "!!window.asked").toBool();
    };
    QTRY_VERIFY_WITH_TIMEOUT(hasAsked(), 30000);
    // A click reaches the link once its document has been drawn.
    for (int tries = 0; click && !Evaluate(view, "!!window.clicked").toBool(); ++tries) {
        QVERIFY(tries < 100);
        QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {}, QPoint(20, 20));
        QTest::qWait(50);
    }
    // Half a second for whatever the request leads to: a navigation or a new window it
    // starts reaches the filter within milliseconds of the request, and a local page it
    // loaded would by then have run its script and called back; then the page shown says
    // it is still there, after all the request brought.
    QTest::qWait(500);
    QTRY_COMPARE(Evaluate(view, "typeof done").toString(), QString("function"));
    Evaluate(view, "done(); 1");
    QTRY_VERIFY(f.services.messages.contains("done"));
    QCOMPARE(f.services.messages, QStringList {"done"});
    QCOMPARE(f.services.urls, shown ? QStringList {target} : QStringList());
    QCOMPARE(systemOpened, QStringList());
    QVERIFY2(MakerServer::IsSiteAddress(view.url().toString()), qPrintable(view.url().toString()));
}

LUMETRA_TEST_MAIN(TestMapBridge)

#include "tst_mapbridge.moc"
