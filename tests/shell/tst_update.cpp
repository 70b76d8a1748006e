#include "platform/HTMLViewer.h"
#include "platform/ZipArchive.h"
#include "shell/AboutDialog.h"
#include "shell/DownloadUpdate.h"
#include "shell/UpdateCheck.h"
#include "support/AppFixture.h"
#include "support/TableTranslator.h"
#include "support/TestHttpServer.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QDir>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <zip.h>

namespace {

// A ZIP archive of the given entries (name -> content).
QByteArray makeZip(const QList<QPair<QString, QByteArray>>& entries)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.zip");
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto& [name, content] : entries) {
        zip_source_t* src = zip_source_buffer(z, content.constData(), zip_uint64_t(content.size()), 0);
        zip_file_add(z, name.toUtf8().constData(), src, ZIP_FL_OVERWRITE);
    }
    zip_close(z);  // reads the entries' bytes, still alive here
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Drives a modal window shown through the services until it closes by itself.
int runUntilClosed(QDialog& dialog)
{
    dialog.show();
    if (!QTest::qWaitFor([&] { return !dialog.isVisible(); }, 15000))
        QTest::qFail("the window did not close", __FILE__, __LINE__);
    return dialog.result();
}

}  // namespace

class TestUpdate : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void noNetworkAsksNobody();
    void noServerAsksNobody();
    void versions_data();
    void versions();
    void dialogSetUp();
    void timeOut();
    void alternateButtonOpensNothing();
    void download_data();
    void download();
    void downloadErrors_data();
    void downloadErrors();
    void closingDuringDownloadReportsNothing();
    void aboutBox();

private:
    std::unique_ptr<TableTranslator> mTexts;
    std::unique_ptr<AppFixture> f;
    std::unique_ptr<TestHttpServer> server;
    QTemporaryDir desktop;
};

void TestUpdate::initTestCase()
{
    QCoreApplication::setApplicationVersion("1.4.0.5");
    mTexts = std::make_unique<TableTranslator>(QHash<QString, QString>{{"App.lkUpdates1", "available"},
                                                                       {"App.lkUpdates3", "none"},
                                                                       {"App.lkUpdatesError1", "offline"},
                                                                       {"DownloadUpdate.lkDownloadError", "failed"},
                                                                       {"DownloadUpdate.lkDownloadCompleted", "done"}});
    QCoreApplication::installTranslator(mTexts.get());
    UpdateCheck::timeoutSeconds = 2;
    UpdateCheck::expandWaitMilliseconds = 300;
}

void TestUpdate::init()
{
    f.reset();
    server = std::make_unique<TestHttpServer>();
    f = std::make_unique<AppFixture>();
    f->services.desktopFolder = desktop.path();
    f->services.onLaunch = [](const QString& path) {
        return ZipArchive::Expand(path, QFileInfo(path).absolutePath(), nullptr);
    };
    for (const QString& name : QDir(desktop.path()).entryList(QDir::Files | QDir::NoDotAndDotDot))
        QFile::remove(desktop.filePath(name));
    qputenv("LUMETRA_SERVER", server->address().toUtf8());
}

void TestUpdate::noNetworkAsksNobody()
{
    f->services.networkConnected = false;
    f->services.dialogAnswers << MessageDialog::Pressed::Action;
    UpdateCheck::ControllaAggiornamenti();
    QCOMPARE(f->services.dialogs.size(), 1);
    QCOMPARE(f->services.dialogs[0].Message, QString("offline"));
    QVERIFY(server->requests.isEmpty());
}

void TestUpdate::noServerAsksNobody()
{
    qputenv("LUMETRA_SERVER", "");
    f->services.dialogAnswers << MessageDialog::Pressed::Action;
    f->app._FileControllaaggiornamenti_Action();
    QCOMPARE(f->services.dialogs[0].Message, QString("offline"));
    QVERIFY(server->requests.isEmpty());
}

void TestUpdate::versions_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("message");
    QTest::newRow("newer") << QByteArray("1.4.0.6") << "available";
    QTest::newRow("same") << QByteArray("1.4.0.5") << "none";
    QTest::newRow("newer by number") << QByteArray("1.4.0.10") << "available";
    QTest::newRow("major") << QByteArray("2") << "available";
    QTest::newRow("same with line break") << QByteArray("1.4.0.5\r\n") << "none";
    QTest::newRow("older") << QByteArray("1.3.9") << "none";
    QTest::newRow("error page") << QByteArray("<html><body>2.0</body></html>") << "none";
    QTest::newRow("empty") << QByteArray() << "none";
}

void TestUpdate::versions()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, message);
    server->route("/public/software/lumetra.txt", {200, body});
    f->services.dialogAnswers << MessageDialog::Pressed::Cancel;
    UpdateCheck::ControllaAggiornamenti();
    QCOMPARE(server->requests, QStringList{"/public/software/lumetra.txt"});
    QCOMPARE(f->services.dialogs.size(), 1);
    QCOMPARE(f->services.dialogs[0].Message, message);
}

void TestUpdate::dialogSetUp()
{
    server->route("/public/software/lumetra.txt", {200, "9"});
    f->services.dialogAnswers << MessageDialog::Pressed::Cancel;
    UpdateCheck::ControllaAggiornamenti();
    const MessageDialog& d = f->services.dialogs[0];
    QCOMPARE(d.Title, QString("Lumetra 1.4.0.5"));
    QVERIFY(d.ActionButton.Caption.isEmpty());
    QVERIFY(!d.CancelButton.Visible);
    QVERIFY(d.AlternateActionButton.Visible);
    QCOMPARE(d.AlternateActionButton.Caption, QString("Cancel"));

    server->route("/public/software/lumetra.txt", {200, "1"});
    f->services.dialogAnswers << MessageDialog::Pressed::Action;
    UpdateCheck::ControllaAggiornamenti();
    QVERIFY(!f->services.dialogs[1].AlternateActionButton.Visible);
    QVERIFY(!f->services.dialogs[1].CancelButton.Visible);
}

void TestUpdate::timeOut()
{
    TestHttpServer::Reply silent;
    silent.silent = true;
    server->route("/public/software/lumetra.txt", silent);
    f->services.dialogAnswers << MessageDialog::Pressed::Action;
    UpdateCheck::ControllaAggiornamenti();
    QCOMPARE(f->services.dialogs[0].Message, QString("none"));
}

void TestUpdate::alternateButtonOpensNothing()
{
    server->route("/public/software/lumetra.txt", {200, "1.5"});
    f->services.dialogAnswers << MessageDialog::Pressed::Alternate;
    UpdateCheck::ControllaAggiornamenti();
    QCOMPARE(server->requests.size(), 1);  // no archive request
}

void TestUpdate::download_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("message");
    QTest::newRow("installer package") << "lumetra.pkg" << "done";
    QTest::newRow("disk image") << "lumetra.dmg" << "done";
    QTest::newRow("neither") << "readme.txt" << DownloadUpdate::lkDownloadMissing();
}

void TestUpdate::download()
{
    QFETCH(QString, entry);
    QFETCH(QString, message);
    const QByteArray archive = makeZip({{entry, QByteArray(100000, 'x')}});
    server->route("/public/software/lumetra.txt", {200, "1.4.1"});
    server->route("/public/software/lumetra.zip", {200, archive, "application/zip"});
    f->services.dialogAnswers << MessageDialog::Pressed::Action;
    // What the window's bar showed while the archive came, and whether it was gone at the end.
    struct Seen {
        bool shown = true;
        int value = -1;
        int maximum = -1;
        bool hiddenAtEnd = false;
    } seen;
    f->services.modalHandlers << [&](QDialog& d) {
        QProgressBar* bar = static_cast<DownloadUpdate&>(d).ProgressBar1;
        connect(bar, &QProgressBar::valueChanged, &d, [&seen, &d, bar](int value) {
            seen.shown = seen.shown && bar->isVisibleTo(&d);
            seen.value = value;
            seen.maximum = bar->maximum();
        });
        const int result = runUntilClosed(d);
        seen.hiddenAtEnd = !bar->isVisibleTo(&d);
        return result;
    };
    UpdateCheck::ControllaAggiornamenti();
    QCOMPARE(server->requests.last(), QString("/public/software/lumetra.zip"));
    QCOMPARE(f->services.messages, QStringList{message});
    QVERIFY(QFile::exists(desktop.filePath(entry)));
    QVERIFY(!QFile::exists(desktop.filePath("lumetra.zip")));
    QVERIFY(seen.shown);
    QCOMPARE(seen.value, int(archive.size()));
    QCOMPARE(seen.maximum, int(archive.size()));
    QVERIFY(seen.hiddenAtEnd);
}

void TestUpdate::downloadErrors_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<QString>("message");
    QTest::newRow("not found") << 404 << QByteArray("gone") << "failed: (404).";
    QTest::newRow("zip slip") << 200 << makeZip({{"../evil.pkg", "x"}, {"lumetra.pkg", "x"}}) << "failed: (-1).";
    QTest::newRow("not an archive") << 200 << QByteArray("<html>") << "failed: (-1).";
}

void TestUpdate::downloadErrors()
{
    QFETCH(int, status);
    QFETCH(QByteArray, archive);
    QFETCH(QString, message);
    server->route("/public/software/lumetra.txt", {200, "1.4.1"});
    server->route("/public/software/lumetra.zip", {status, archive});
    f->services.dialogAnswers << MessageDialog::Pressed::Action;
    bool stayedOpen = false;
    f->services.modalHandlers << [&](QDialog& d) {
        d.show();
        (void)QTest::qWaitFor([&] { return !f->services.messages.isEmpty(); }, 15000);
        stayedOpen = d.isVisible();
        d.reject();  // Escape closes the window once the download failed
        return d.result();
    };
    UpdateCheck::ControllaAggiornamenti();
    QCOMPARE(f->services.messages, QStringList{message});
    QVERIFY(stayedOpen);
    QVERIFY(!QFile::exists(QDir(desktop.path()).absoluteFilePath("../evil.pkg")));
    QVERIFY(!QFile::exists(desktop.filePath("lumetra.pkg")));
}

void TestUpdate::closingDuringDownloadReportsNothing()
{
    TestHttpServer::Reply silent;
    silent.silent = true;
    server->route("/public/software/lumetra.zip", silent);
    auto* window = new DownloadUpdate(server->address() + "/public/software/lumetra.zip");
    window->show();
    QTRY_COMPARE_WITH_TIMEOUT(server->requests, QStringList {"/public/software/lumetra.zip"}, 30000);
    // The socket goes with the window and aborts its download: the abort is nobody's error.
    delete window;
    QCoreApplication::processEvents();
    QVERIFY(f->services.messages.isEmpty());
}

void TestUpdate::aboutBox()
{
    qputenv("LUMETRA_SERVER", "");
    struct Seen {
        bool current = false;
        QString title, version, close;
        QSize size;
        QColor before, pressed, released;
    } seen;
    f->services.modalHandlers << [&](QDialog& d) {
        auto& box = static_cast<AboutDialog&>(d);
        d.show();
        seen.current = AboutDialog::Current() == &box;
        seen.title = box.windowTitle();
        seen.size = box.size();
        seen.version = box.StaticText3->text();
        seen.close = box.BevelButton1->text();
        seen.before = box.StaticText7->textColor();
        QTest::mousePress(box.StaticText7, Qt::LeftButton);
        seen.pressed = box.StaticText7->textColor();
        // Released outside the link, the link still opens.
        QTest::mouseRelease(box.StaticText7, Qt::LeftButton, {}, QPoint(-50, -50));
        seen.released = box.StaticText7->textColor();
        QTest::mouseClick(box.BevelButton1, Qt::LeftButton);
        return d.result();
    };
    QVERIFY(f->app._FileInformazioniprogramma_Action());
    QVERIFY(seen.current);
    QCOMPARE(seen.title, QString("Lumetra 1.4.0.5"));
    QCOMPARE(seen.size, QSize(546, 350));
    QCOMPARE(seen.version, QString(" 1.4.0.5"));
    QVERIFY(seen.close.isEmpty());
    QCOMPARE(seen.before, QColor(0, 0, 255));
    QCOMPARE(seen.pressed, QColor(255, 0, 0));
    QCOMPARE(seen.released, QColor(0, 0, 255));
    QCOMPARE(f->services.urls, QStringList{"https://lumetra.example.org"});
    QVERIFY(!AboutDialog::Current());
}

LUMETRA_TEST_MAIN(TestUpdate)

#include "tst_update.moc"
