#include "map/DirectoryAnswer.h"
#include "map/PhoneLookup.h"
#include "platform/EditField.h"
#include "platform/HTMLViewer.h"
#include "support/AppFixture.h"
#include "support/TestHttpServer.h"
#include "support/TestMain.h"
#include "window/Applicazione.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

namespace {

QByteArray answer(const QByteArray& second, const QByteArray& street, const QByteArray& phone = "06 1234 567")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<risposta><esito><meta/><elenco><voce>\n"
           "  <id>1</id>\n"
           "  <nome>Rossi</nome>\n" +
           second +
           "\n  <indirizzo>\n"
           "    <luogo pr=\"RM\" cap=\"00100\">Roma</luogo>\n" +
           street + "\n    <telefoni><tel>" + phone +
           "</tel></telefoni>\n"
           "  </indirizzo>\n"
           "</voce></elenco></esito></risposta>\n";
}

const QByteArray kStreet = "<via nc=\"12\" y=\"41.9\" x=\"12.5\">Via del Corso</via>";
const QString kBrowser = "/execute.cgi?btt=1&ts=106&cb=8&mr=10&rk=&om=&qs=061234567";
const QString kError = "Si \u00e8 verificato un errore nella ricerca.";

}  // namespace

Q_DECLARE_METATYPE(TestHttpServer::Reply)

class TestPhoneLookup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fullEntry();
    void emptySecondName();
    void positionStoredAsItsNumber();
    void missingSecondNameIsAnError();
    void entryWithoutStreet();
    void noEntry();
    void unusableAnswers_data();
    void unusableAnswers();
    void failedRequests_data();
    void failedRequests();
    void timeOut();
    void waitKeepsTheWindowAlive();
    void noDirectoryConfigured();

private:
    void lookup(const TestHttpServer::Reply& reply);

    std::unique_ptr<AppFixture> f;
    std::unique_ptr<TestHttpServer> server;
    Applicazione* w = nullptr;
};

void TestPhoneLookup::init()
{
    server = std::make_unique<TestHttpServer>();
    qputenv("LUMETRA_DIRECTORY", server->address().toUtf8());
    f = std::make_unique<AppFixture>();
    w = f->newWindow();
    PhoneLookup::timeoutSeconds = 60;
}

void TestPhoneLookup::cleanup()
{
    f.reset();
    server.reset();
}

void TestPhoneLookup::lookup(const TestHttpServer::Reply& reply)
{
    server->route("/execute.cgi", reply);
    w->EditFieldNome()->setText("unchanged");
    w->CercaNumeroTelefono("061234567");
}

void TestPhoneLookup::fullEntry()
{
    lookup({200, answer("<secondo>Mario</secondo>", kStreet), "text/xml"});
    QCOMPARE(server->requests, QStringList{"/execute.cgi?btt=1&ts=106&cb=8&mr=10&rk=&om=&tl=1&qs=061234567"});
    QCOMPARE(w->EditFieldNome()->Text(), QString("Rossi Mario - Via del Corso 12 - 00100  Roma (RM)>39061234567"));
    QCOMPARE(w->EditFieldLatitudine()->Text(), QString("41.9"));
    QCOMPARE(w->EditFieldLongitudine()->Text(), QString("12.5"));
    QVERIFY(f->services.messages.isEmpty());
    QVERIFY(f->services.urls.isEmpty());
}

void TestPhoneLookup::emptySecondName()
{
    lookup({200, answer("<secondo/>", kStreet)});
    QCOMPARE(w->EditFieldNome()->Text(), QString("Rossi - Via del Corso 12 - 00100  Roma (RM)>39061234567"));
}

// "041.90" is 41.9, not an octal or a text the entry row would store as it stands.
void TestPhoneLookup::positionStoredAsItsNumber()
{
    lookup({200, answer("<secondo/>", "<via nc=\"12\" y=\"041.900000\" x=\"-012.50\">Via del Corso</via>")});
    QCOMPARE(w->EditFieldLatitudine()->Text(), QString("41.9"));
    QCOMPARE(w->EditFieldLongitudine()->Text(), QString("-12.5"));
    QVERIFY(f->services.messages.isEmpty());
}

void TestPhoneLookup::missingSecondNameIsAnError()
{
    // Without the second-name node the address takes its place and the path breaks.
    const QByteArray xml = "<r><a><m/><l><voce><id>1</id><nome>Rossi</nome></voce></l></a></r>";
    lookup({200, xml});
    QCOMPARE(f->services.messages, QStringList {kError});
    QCOMPARE(f->services.urls, QStringList{server->address() + kBrowser});
    QCOMPARE(w->EditFieldNome()->Text(), QString("unchanged"));
}

void TestPhoneLookup::entryWithoutStreet()
{
    const QByteArray xml = "<r><a><m/><l><voce><id>1</id><nome>Rossi</nome><s/>"
                           "<i><luogo pr=\"RM\" cap=\"00100\">Roma</luogo></i></voce></l></a></r>";
    w->EditFieldLatitudine()->setFocus();
    lookup({200, xml});
    QCOMPARE(f->services.messages,
             QStringList{"Non riesco a recuperare i dati, il risultato della ricerca verr\u00e0 aperto su browser."});
    QCOMPARE(f->services.urls, QStringList{server->address() + kBrowser});
    QVERIFY(!f->services.urls.first().contains("tl=1&"));
}

void TestPhoneLookup::noEntry()
{
    lookup({200, "<r><a><m/><l/></a></r>"});
    QCOMPARE(f->services.messages, QStringList{"Nessun contatto trovato per 061234567"});
    QVERIFY(f->services.urls.isEmpty());
}

void TestPhoneLookup::unusableAnswers_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not XML") << QByteArray("<html><body>busy");
    QTest::newRow("doctype") << QByteArray("<!DOCTYPE r [<!ENTITY x \"y\">]>") + answer("<s/>", kStreet).mid(39);
    QTest::newRow("script as latitude") << answer("<s/>", "<via nc=\"1\" y=\"alert(1)\" x=\"12.5\">Via</via>");
    QByteArray unclosed;
    while (unclosed.size() < 1000000)
        unclosed += "<a>";
    QTest::newRow("1 MB of unclosed nesting") << unclosed;
    QTest::newRow("100,000 nested elements")
        << QByteArray("<a>").repeated(100000) + QByteArray("</a>").repeated(100000);
    QTest::newRow("entry nested past the limit")
        << QByteArray("<x>").repeated(20) + answer("<s/>", kStreet).mid(39) + QByteArray("</x>").repeated(20);
}

void TestPhoneLookup::unusableAnswers()
{
    QFETCH(QByteArray, body);
    lookup({200, body});
    QCOMPARE(f->services.messages, QStringList {kError});
    QCOMPARE(f->services.urls, QStringList {server->address() + kBrowser});
    QCOMPARE(w->EditFieldNome()->Text(), QString("unchanged"));
    QVERIFY(w->EditFieldLatitudine()->Text().isEmpty());
}

void TestPhoneLookup::failedRequests_data()
{
    QTest::addColumn<TestHttpServer::Reply>("reply");
    QTest::addColumn<QString>("why");
    // The headers promise 100,000 bytes; a whole entry comes, then the connection closes.
    const QByteArray entry = answer("<s/>", kStreet);
    TestHttpServer::Reply cut {200, entry + QByteArray(100000 - entry.size(), ' ')};
    cut.cutAfter = 504;
    QTest::newRow("cut short") << cut << "the transfer was cut short";
    QTest::newRow("too large") << TestHttpServer::Reply {200, QByteArray(2 << 20, ' ') + entry}
                               << "the answer is too large";
    QTest::newRow("server error") << TestHttpServer::Reply {500, entry} << "the server answered with HTTP status 500";
}

// A request that brought no whole answer is an error, and the message says why; no part
// of an answer is read.
void TestPhoneLookup::failedRequests()
{
    QFETCH(TestHttpServer::Reply, reply);
    QFETCH(QString, why);
    lookup(reply);
    QCOMPARE(f->services.messages, QStringList {kError + "\n" + why + "."});
    QCOMPARE(f->services.urls, QStringList{server->address() + kBrowser});
    QCOMPARE(w->EditFieldNome()->Text(), QString("unchanged"));
    QVERIFY(w->EditFieldLatitudine()->Text().isEmpty());
}

void TestPhoneLookup::timeOut()
{
    TestHttpServer::Reply silent;
    silent.silent = true;
    PhoneLookup::timeoutSeconds = 1;
    lookup(silent);
    QCOMPARE(f->services.messages, QStringList {kError + "\nthe server gave no answer within 1 seconds."});
}

namespace {

// Counts the paint events a widget gets.
class PaintCount final : public QObject {
public:
    explicit PaintCount(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

}  // namespace

// While the directory takes its time the window paints, the cursor says the program is
// busy, and what the user types meanwhile is dropped, not replayed into the fields later.
// A hostile answer is then refused at once.
void TestPhoneLookup::waitKeepsTheWindowAlive()
{
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->EditFieldLatitudine()->setFocus();
    w->EditFieldLatitudine()->setText("");
    PaintCount count(*w->EditFieldLatitudine());
    struct Seen {
        bool busy = false;
        int paints = 0;
        QString typed;
    } seen;
    QTimer::singleShot(300, w, [&] {
        seen.busy = QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::BusyCursor;
        QTest::keyClick(w->windowHandle(), Qt::Key_7);
        count.paints = 0;
        w->EditFieldLatitudine()->update();
    });
    QTimer::singleShot(600, w, [&] {
        seen.paints = count.paints;
        seen.typed = w->EditFieldLatitudine()->text();
    });
    TestHttpServer::Reply slow{200, QByteArray("<a>").repeated(340000), "text/xml"};
    slow.delayMs = 1000;
    QElapsedTimer clock;
    clock.start();
    lookup(slow);
    const qint64 elapsed = clock.elapsed();
    // A key held back during the wait and let go at its end would be posted then, and
    // delivered by the first pass of the event loop: 100 ms of passes is ample to see it.
    QTest::qWait(100);
    QCOMPARE(seen.typed, QString());
    QCOMPARE(w->EditFieldLatitudine()->text(), QString());
    QVERIFY(seen.busy);
    QVERIFY(seen.paints > 0);
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(f->services.messages, QStringList {kError});
    // The answer came after a second; reading and refusing it takes well under one more.
    QVERIFY2(elapsed < 2000, qPrintable(QString::number(elapsed)));
}

void TestPhoneLookup::noDirectoryConfigured()
{
    qputenv("LUMETRA_DIRECTORY", "");
    lookup({200, answer("<s/>", kStreet)});
    QVERIFY(server->requests.isEmpty());
    QCOMPARE(f->services.messages, QStringList {PhoneLookup::lkNoDirectory()});
    QVERIFY(f->services.urls.isEmpty());
}

LUMETRA_TEST_MAIN(TestPhoneLookup)

#include "tst_phonelookup.moc"
