#include "map/MapBridge.h"
#include "platform/EditField.h"
#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "platform/PageMessages.h"
#include "platform/TextFunctions.h"
#include "platform/UrlCodec.h"
#include "support/AppFixture.h"
#include "support/PageProbe.h"
#include "support/TestHttpServer.h"
#include "support/TestMain.h"
#include "window/Applicazione.h"

#include <QFile>
#include <QTest>
#include <QTimer>

using PageProbe::Evaluate;

namespace {

enum Column { Latitude = 1, Longitude = 2, Id = 3, Mod = 4 };

QString twiceEncoded(const QString& text)
{
    return EncodeURLComponent(EncodeURLComponent(text));
}

// A window whose map page is a page of the maker's server, here the test's own on 127.0.0.1.
struct MakersWindow {
    TestHttpServer server;
    AppFixture f;
    Applicazione* w = nullptr;

    // SITE in the body stands for the server's address.
    explicit MakersWindow(QByteArray body = "<p>maker</p>")
    {
        body.replace("SITE", server.address().toUtf8());
        server.route("/maps/lumetra/default.aspx",
            {200,
                "<!DOCTYPE html><html><head><meta charset='utf-8'></head><body style='margin:0'>" + body
                    + "</body></html>",
                "text/html"});
        qputenv("LUMETRA_SERVER", server.address().toUtf8());
        w = f.newWindow();
    }
    ~MakersWindow() { qputenv("LUMETRA_SERVER", ""); }
    HTMLViewer& view() const { return *w->web1(); }
    bool ready() const
    {
        return QTest::qWaitFor(
            [this] { return Evaluate(view(), "!!(window.LumetraHost && LumetraHost.ready())").toBool(); }, 30000);
    }
    // Runs script of the page's own, then has the page pick a position: once the entry
    // field shows it, every callback the script sent before has been handled.
    bool run(const QString& script, const QString& latitude, int timeoutMs = 60000)
    {
        view().page()->runJavaScript(script + ";LumetraHost.navigate('handler://CMD2" + latitude + "%2C2.5')");
        return PageProbe::RunUntil([&] { return w->EditFieldLatitudine()->Text() == latitude; }, timeoutMs);
    }
};

// The memory the program holds, from the system's account of it.
qint64 residentKilobytes()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// For the time of a test, a page that has shown its boxes waits this long for one more.
class QuietTime {
public:
    explicit QuietTime(int milliseconds)
        : mBefore(PageMessages::quietMilliseconds)
    {
        PageMessages::quietMilliseconds = milliseconds;
    }
    ~QuietTime() { PageMessages::quietMilliseconds = mBefore; }

private:
    int mBefore;
};

} // namespace

// A page that tries to take the window from the user, as an attacker's would: with boxes
// that never end or take minutes to lay out, with callbacks in floods, and by starting the
// browser unasked. The window stays the user's.
class TestHostilePage : public QObject {
    Q_OBJECT
private slots:
    void pageMessages_data();
    void pageMessages();
    void messagesWhileABoxIsOpen();
    void moreMessagesOnceQuiet();
    void failedLoadOfALongAddress();
    void largeCallbacks();
    void callbacksOnAMillionRows();
    void browserOnlyForTheUser_data();
    void browserOnlyForTheUser();
};

void TestHostilePage::pageMessages_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("shown");
    const QString cut(QChar(0x2026));
    const QString x16MB = "'x'.repeat(16 * 1024 * 1024)";
    QTest::newRow("message of 16 MB") << "LumetraHost.navigate('handler://CMD0' + " + x16MB + ")"
                                      << QStringList {QString(PageMessages::MaxCharacters, 'x') + cut};
    QTest::newRow("2000 messages") << "for (var i = 0; i < 2000; i++) LumetraHost.navigate('handler://CMD0m' + i)"
                                   << QStringList {"m0", "m1", "m2"};
    QTest::newRow("alert") << "alert('ciao')" << QStringList {"ciao"};
    QTest::newRow("alert of 16 MB") << "alert(" + x16MB + ")"
                                    << QStringList {QString(PageMessages::MaxCharacters, 'x') + cut};
    QTest::newRow("alert of a thousand lines")
        << "alert('line\\n'.repeat(1000))"
        << QStringList {QString("line\n").repeated(PageMessages::MaxLines - 1) + "line" + cut};
    QTest::newRow("300 alerts") << "for (var i = 0; i < 300; i++) alert('a' + i)" << QStringList {"a0", "a1", "a2"};
}

// What a page has shown, by its messages or its alerts, can neither hold the window with
// one text it takes minutes to lay out nor with boxes that never end: the first few show,
// each bounded.
void TestHostilePage::pageMessages()
{
    QFETCH(QString, script);
    QFETCH(QStringList, shown);
    const QuietTime quiet(3600 * 1000);
    MakersWindow page;
    QVERIFY(page.ready());
    QVERIFY(page.run(script, "1.5"));
    QCOMPARE(page.f.services.messages, shown);
}

// What comes while the page's box is open is folded into it; once it is closed the page may
// show its next box.
void TestHostilePage::messagesWhileABoxIsOpen()
{
    const QuietTime quiet(3600 * 1000);
    MakersWindow page;
    QVERIFY(page.ready());
    bool arrived = false;
    page.f.services.onMessage = [&](const QString& text) {
        if (text != "first")
            return;
        // While the user reads it, a message and a failed load come from the event loop the
        // box runs.
        QTimer::singleShot(0, page.w, [&] {
            page.w->Map().web1_CancelLoad("handler://CMD0during");
            page.w->Map().web1_Error(-2, "failed during");
            arrived = true;
        });
        QTRY_VERIFY(arrived);
    };
    QVERIFY(page.run("LumetraHost.navigate('handler://CMD0first')", "1.5"));
    QVERIFY(arrived);
    QCOMPARE(page.f.services.messages, QStringList {"first"});
    QVERIFY(page.run("LumetraHost.navigate('handler://CMD0later')", "3.5"));
    QCOMPARE(page.f.services.messages, (QStringList {"first", "later"}));
}

// A page that has had its boxes gets one more once the window has been the user's for a
// while, and all of them again when the program loads the page anew.
void TestHostilePage::moreMessagesOnceQuiet()
{
    const QuietTime quiet(3000);
    MakersWindow page;
    QVERIFY(page.ready());
    QVERIFY(page.run("for (var i = 0; i < 10; i++) LumetraHost.navigate('handler://CMD0m' + i)", "1.5"));
    QCOMPARE(page.f.services.messages, (QStringList {"m0", "m1", "m2"}));
    QTest::qWait(3100);
    QVERIFY(page.run("for (var i = 0; i < 10; i++) LumetraHost.navigate('handler://CMD0n' + i)", "3.5"));
    QCOMPARE(page.f.services.messages, (QStringList {"m0", "m1", "m2", "n0"}));

    page.f.services.messages.clear();
    page.w->Map().InizializzaMappa();
    QVERIFY(page.ready());
    QVERIFY(page.run("for (var i = 0; i < 10; i++) LumetraHost.navigate('handler://CMD0o' + i)", "5.5"));
    QCOMPARE(page.f.services.messages, (QStringList {"o0", "o1", "o2"}));
}

// The page goes to an address of 2 MB on its own site, which is not there: the box says
// which address it was, cut, and why it failed.
void TestHostilePage::failedLoadOfALongAddress()
{
    MakersWindow page;
    QVERIFY(page.ready());
    Evaluate(page.view(), "location.href = '/missing?' + 'a'.repeat(2000000); 1");
    QTRY_COMPARE_WITH_TIMEOUT(page.f.services.messages.size(), 1, 30000);
    const QString address = page.server.address() + "/missing?" + QString(2000000, 'a');
    QCOMPARE(page.f.services.messages.at(0),
        "The page " + address.left(300) + QChar(0x2026)
            + " could not be loaded: the server answered with HTTP status 404.");
}

// A page sends callbacks of a megabyte each, 3000 of them, of a command the program does
// not have: the window takes them all, and the program stays the size it was.
void TestHostilePage::largeCallbacks()
{
    MakersWindow page;
    QVERIFY(page.ready());
    const qint64 before = residentKilobytes();
    QVERIFY(page.run("var big = 'a'.repeat(1024 * 1024);"
                     "for (var i = 0; i < 3000; i++) { LumetraHost.navigate('handler://CMD9' + big); }",
        "1.5"));
    QVERIFY2(residentKilobytes() - before < 256 * 1024, qPrintable(QString::number(residentKilobytes() - before)));
    QVERIFY(page.f.services.messages.isEmpty());
}

// 6000 callbacks for markers that no row has, on a document of a million rows: the window
// takes them within seconds and the rows stay as they were. A marker that is there is then
// chosen and moved at once.
void TestHostilePage::callbacksOnAMillionRows()
{
    MakersWindow page;
    QVERIFY(page.ready());
    Applicazione& w = *page.w;
    Listbox& list = *w.ListBox1();
    list.BeginUpdate();
    for (int i = 0; i < 1000000; ++i)
        w.AggiungiPdiAllaLista(
            QStringLiteral("P%1").arg(i), QStringLiteral("43.5"), QStringLiteral("10.5"), QStringLiteral("0"));
    list.EndUpdate();
    w.setModificato(false);
    const auto rows = [&] {
        size_t sum = 0;
        for (int row = 0; row < list.ListCount(); ++row) {
            for (int column : {Latitude, Longitude, Mod})
                sum = sum * 31 + TextHash(list.CellView(row, column));
        }
        return sum;
    };
    const size_t before = rows();
    QVERIFY(page.run("for (var i = 0; i < 3000; i++) {"
                     "  var marker = encodeURIComponent(encodeURIComponent('NO-SUCH-' + i + '|44.5,11.5'));"
                     "  LumetraHost.navigate('handler://CMD1' + marker);"
                     "  LumetraHost.navigate('handler://CMD3' + marker);"
                     "}",
        "1.5", 20000));
    QCOMPARE(rows(), before);
    QCOMPARE(list.ListIndex(), -1);
    QVERIFY(!w.Modificato());

    const QString chosen = twiceEncoded(list.Cell(999999, Id) + "|43.5,10.5");
    const QString moved = twiceEncoded(list.Cell(999998, Id) + "|44.25,11.75");
    QVERIFY(page.run("LumetraHost.navigate('handler://CMD3" + chosen
            + "');"
              "LumetraHost.navigate('handler://CMD1"
            + moved + "')",
        "3.5", 20000));
    QCOMPARE(list.ListIndex(), 999999);
    QCOMPARE(list.Cell(999998, Latitude), QString("44.25"));
    QCOMPARE(list.Cell(999998, Longitude), QString("11.75"));
}

void TestHostilePage::browserOnlyForTheUser_data()
{
    // "go()" runs as the page loads, or on the user's click anywhere on the page; SITE is
    // the maker's server.
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("click");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("loaded"); // the page the map view then shows
    const QByteArray link = "<a id='a' href='https://example.org/l' style='display:block;height:100vh'>l</a>";
    const QByteArray opens = "for (var i = 0; i < 300; i++) { window.open('https://example.org/w' + i); }";
    const QByteArray clicks = "for (var i = 0; i < 300; i++) { document.getElementById('a').click(); }";
    const QString page = "/maps/lumetra/default.aspx";
    const QStringList none;
    QTest::newRow("300 windows") << QByteArray() << opens << false << none << page;
    QTest::newRow("300 windows on a click")
        << QByteArray() << opens << true << QStringList {"https://example.org/w0"} << page;
    QTest::newRow("navigation") << QByteArray() << QByteArray("location.href = 'https://example.org/n'") << false
                                << none << page;
    QTest::newRow("navigation on a click")
        << QByteArray() << QByteArray("location.href = 'https://example.org/n'") << true << none << page;
    QTest::newRow("link clicked") << link << QByteArray() << true << QStringList {"https://example.org/l"} << page;
    QTest::newRow("link clicked 300 times by the page") << link << clicks << false << none << page;
    QTest::newRow("new window's link clicked")
        << QByteArray("<a target='_blank' href='https://example.org/l' style='display:block;height:100vh'>l</a>")
        << QByteArray() << true << QStringList {"https://example.org/l"} << page;
    QTest::newRow("maker's page: link clicked")
        << QByteArray("<a href='SITE/other' style='display:block;height:100vh'>l</a>") << QByteArray() << true << none
        << "/other";
    QTest::newRow("maker's page: navigation")
        << QByteArray() << QByteArray("location.href = 'SITE/other'") << false << none << "/other";
}

// Only what the user asked for goes to the browser: a link the user clicked, a new window
// the user's click opened. A page of the maker's site still loads in the map view.
void TestHostilePage::browserOnlyForTheUser()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, script);
    QFETCH(bool, click);
    QFETCH(QStringList, shown);
    QFETCH(QString, loaded);
    MakersWindow page("<div style='height:100vh'>" + body + "</div><script>function go() {" + script + "}"
        + (click ? "document.addEventListener('click', function () { window.clicked = true; go(); });"
                 : "window.addEventListener('load', go);")
        + "</script>");
    page.server.route("/other", {200, "<p>other</p>", "text/html"});
    QVERIFY(page.ready());
    if (click)
        QVERIFY(PageProbe::ClickUntilHeard(page.view()));
    QTRY_VERIFY_WITH_TIMEOUT(page.view().url().path() == loaded && page.f.services.urls.size() == shown.size(), 30000);
    // Time for requests that should not come.
    QTest::qWait(500);
    QCOMPARE(page.f.services.urls, shown);
    QCOMPARE(page.view().url().path(), loaded);
}

LUMETRA_TEST_MAIN(TestHostilePage)

#include "tst_hostilepage.moc"
