#include "platform/EditField.h"
#include "platform/HTMLViewer.h"
#include "platform/HTTPSocket.h"
#include "platform/ZipArchive.h"
#include "shell/AboutDialog.h"
#include "shell/DownloadUpdate.h"
#include "shell/UpdateCheck.h"
#include "support/AppFixture.h"
#include "support/TableTranslator.h"
#include "support/TestHttpServer.h"
#include "support/TestMain.h"
#include "window/Applicazione.h"

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
    void failedChecks_data();
    void failedChecks();
    void dialogSetUp();
    void timeOut();
    void endlessAnswer();
    void cutAnswer();
    void alternateButtonOpensNothing();
    void download_data();
    void download();
    void missingDesktop();
    void expandNeverReplacesFiles();
    void downloadErrors_data();
    void downloadErrors();
    void cutDownload();
    void closingDuringDownloadReportsNothing();
    void stalledDownloadCancelled();
    void teardownWhileDownloading();
    void socketTeardownRaisesNothing();
    void modalWindowsBlockTheDocument();
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
    UpdateCheck::timeoutSeconds = 60;
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
    QDir(desktop.path()).removeRecursively();
    QDir().mkpath(desktop.path());
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

// With no maker's server the check says it cannot reach one, not that the machine is offline.
void TestUpdate::noServerAsksNobody()
{
    qputenv("LUMETRA_SERVER", "");
    f->services.dialogAnswers << MessageDialog::Pressed::Action;
    f->app._FileControllaaggiornamenti_Action();
    QCOMPARE(f->services.dialogs.size(), 1);
    QCOMPARE(f->services.dialogs[0].Message, UpdateCheck::lkCheckFailed());
    QCOMPARE(f->services.dialogs[0].Explanation,
        QString("the update server cannot be reached: none is configured (LUMETRA_SERVER)."));
    QVERIFY(!f->services.dialogs[0].AlternateActionButton.Visible);
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

void TestUpdate::failedChecks_data()
{
    QTest::addColumn<int>("status");  // 0: nobody listens
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("why");
    QTest::newRow("not found") << 404 << QByteArray("1.4.0.9") << "the server answered with HTTP status 404.";
    QTest::newRow("server error") << 500 << QByteArray("oops") << "the server answered with HTTP status 500.";
    QTest::newRow("server down") << 0 << QByteArray() << "the server refused the connection.";
    QTest::newRow("error page") << 200 << QByteArray("<html><body>2.0</body></html>")
                                << "the server's answer is not a version number.";
    QTest::newRow("empty") << 200 << QByteArray() << "the server's answer is not a version number.";
    QTest::newRow("long answer") << 200 << QByteArray(5000, ' ') + "1.4.0.9"
                                 << "the answer is too large.";
    QTest::newRow("long error page") << 404 << QByteArray(100000, 'x') << "the server answered with HTTP status 404.";
}

// A check that got no version says it failed, and why; never that all is up to date.
void TestUpdate::failedChecks()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, why);
    server->route("/public/software/lumetra.txt", {status, body});
    if (status == 0)
        server.reset();
    f->services.dialogAnswers << MessageDialog::Pressed::Action;
    UpdateCheck::ControllaAggiornamenti();
    QCOMPARE(f->services.dialogs.size(), 1);
    QCOMPARE(f->services.dialogs[0].Message, UpdateCheck::lkCheckFailed());
    QCOMPARE(f->services.dialogs[0].Explanation, why);
    QVERIFY(!f->services.dialogs[0].AlternateActionButton.Visible);
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
    UpdateCheck::timeoutSeconds = 1;
    UpdateCheck::ControllaAggiornamenti();
    UpdateCheck::timeoutSeconds = 60;
    QCOMPARE(f->services.dialogs[0].Message, UpdateCheck::lkCheckFailed());
    QCOMPARE(f->services.dialogs[0].Explanation, QString("the server gave no answer within 1 seconds."));
}

// An answer that never ends is given up as soon as it is longer than any version text:
// the check fails at once instead of filling the memory until the time-out.
void TestUpdate::endlessAnswer()
{
    TestHttpServer::Reply endless;
    endless.body = QByteArray(65536, '9');
    endless.endless = true;
    server->route("/public/software/lumetra.txt", endless);
    f->services.dialogAnswers << MessageDialog::Pressed::Action;
    UpdateCheck::timeoutSeconds = 5;
    UpdateCheck::ControllaAggiornamenti();
    UpdateCheck::timeoutSeconds = 60;
    QCOMPARE(f->services.dialogs.size(), 1);
    QCOMPARE(f->services.dialogs[0].Message, UpdateCheck::lkCheckFailed());
    QCOMPARE(f->services.dialogs[0].Explanation, QString("the answer is too large."));
    QVERIFY2(server->bodyBytesSent < 16 << 20, qPrintable(QString::number(server->bodyBytesSent)));
}

namespace {

// The headers promise 100,000 bytes; the connection closes after the first 504.
TestHttpServer::Reply cutShort(const QByteArray& start)
{
    TestHttpServer::Reply reply {200, start + QByteArray(100000 - start.size(), ' ')};
    reply.cutAfter = 504;
    return reply;
}

} // namespace

// A version file that ends early is a failed check, not the version its first bytes name.
void TestUpdate::cutAnswer()
{
    server->route("/public/software/lumetra.txt", cutShort("1.4.0.9"));
    f->services.dialogAnswers << MessageDialog::Pressed::Action;
    UpdateCheck::ControllaAggiornamenti();
    QCOMPARE(f->services.dialogs.size(), 1);
    QCOMPARE(f->services.dialogs[0].Message, UpdateCheck::lkCheckFailed());
    QCOMPARE(f->services.dialogs[0].Explanation, QString("the transfer was cut short."));
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

// The update goes into a folder of its own, named after the archive: the user's files on
// the Desktop, an old disk image among them, stay as they were and count for nothing.
void TestUpdate::download()
{
    QFETCH(QString, entry);
    QFETCH(QString, message);
    const QDir home(desktop.path());
    home.mkpath("Notes");
    home.mkpath("lumetra");
    const QList<QPair<QString, QByteArray>> mine{
        {"readme.txt", "mine"}, {"Notes/todo.txt", "my list"}, {"lumetra.dmg", "old"}, {"lumetra/lumetra.pkg", "older"}};
    for (const auto& [name, content] : mine) {
        QFile file(home.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const QByteArray archive = makeZip({{entry, QByteArray(100000, 'x')}, {"Notes/todo.txt", "theirs"}});
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
    QString folder;
    f->services.modalHandlers << [&](QDialog& d) {
        folder = static_cast<DownloadUpdate&>(d).Folder();
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
    QCOMPARE(folder, home.filePath("lumetra 2"));
    QCOMPARE(f->services.messages, QStringList{message + "\nIt is in the folder " + folder + "."});
    QVERIFY(QFile::exists(QDir(folder).filePath(entry)));
    QVERIFY(!QFile::exists(QDir(folder).filePath("lumetra.zip")));
    for (const auto& [name, content] : mine) {
        QFile file(home.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
    }
    QCOMPARE(home.entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase),
             (QStringList{"lumetra", "lumetra 2", "lumetra.dmg", "Notes", "readme.txt"}));
    QVERIFY(seen.shown);
    QCOMPARE(seen.value, int(archive.size()));
    QCOMPARE(seen.maximum, int(archive.size()));
    QVERIFY(seen.hiddenAtEnd);
}

// With no Desktop folder the download makes one and says where the update went.
void TestUpdate::missingDesktop()
{
    const QString missing = desktop.filePath("home/Desktop");
    f->services.desktopFolder = missing;
    server->route("/public/software/lumetra.txt", {200, "1.4.1"});
    server->route("/public/software/lumetra.zip", {200, makeZip({{"lumetra.pkg", "x"}}), "application/zip"});
    f->services.dialogAnswers << MessageDialog::Pressed::Action;
    f->services.modalHandlers << runUntilClosed;
    UpdateCheck::ControllaAggiornamenti();
    const QString folder = missing + "/lumetra";
    QCOMPARE(f->services.messages, QStringList{"done\nIt is in the folder " + folder + "."});
    QVERIFY(QFile::exists(folder + "/lumetra.pkg"));
}

// An archive that would replace a file already there is refused before anything is written.
void TestUpdate::expandNeverReplacesFiles()
{
    const QDir home(desktop.path());
    QFile mine(home.filePath("notes.txt"));
    QVERIFY(mine.open(QIODevice::WriteOnly));
    mine.write("mine");
    mine.close();
    QFile archive(home.filePath("a.zip"));
    QVERIFY(archive.open(QIODevice::WriteOnly));
    archive.write(makeZip({{"new.txt", "new"}, {"notes.txt", "theirs"}}));
    archive.close();
    QString reason;
    QVERIFY(!ZipArchive::Expand(archive.fileName(), home.path(), &reason));
    QCOMPARE(reason, QString("entry would replace notes.txt"));
    QVERIFY(mine.open(QIODevice::ReadOnly));
    QCOMPARE(mine.readAll(), QByteArray("mine"));
    QVERIFY(!QFile::exists(home.filePath("new.txt")));
}

void TestUpdate::downloadErrors_data()
{
    QTest::addColumn<int>("status");  // 0: nobody listens
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<QString>("message");
    QTest::newRow("not found") << 404 << QByteArray("gone") << "failed: the server answered with HTTP status 404.";
    QTest::newRow("zip slip") << 200 << makeZip({{"../evil.pkg", "x"}, {"lumetra.pkg", "x"}})
                              << "failed: the archive could not be expanded.";
    QTest::newRow("not an archive") << 200 << QByteArray("<html>") << "failed: the archive could not be expanded.";
    QTest::newRow("server gone") << 0 << QByteArray() << "failed: the server refused the connection.";
}

// A failed download says why in words and leaves the window open, still modal, until
// the user closes it with its button; nothing of the download stays behind.
void TestUpdate::downloadErrors()
{
    QFETCH(int, status);
    QFETCH(QByteArray, archive);
    QFETCH(QString, message);
    auto update = std::make_unique<DownloadUpdate>(server->address() + "/public/software/lumetra.zip");
    server->route("/public/software/lumetra.zip", {status, archive});
    if (status == 0)
        server.reset();
    bool stayedOpen = false;
    bool modal = false;
    QString button;
    f->services.modalHandlers << [&](QDialog& d) {
        auto& window = static_cast<DownloadUpdate&>(d);
        (void)QTest::qWaitFor([&] { return !f->services.messages.isEmpty(); }, 30000);
        // A window that closed itself on failing would do so as it reports, or on the next
        // pass of the event loop: 50 ms of passes after the message is ample to see it.
        QTest::qWait(50);
        stayedOpen = d.isVisible();
        modal = QApplication::activeModalWidget() == &d;
        button = window.ButtonCancel->text();
        window.ButtonCancel->click();
        return int(QDialog::Accepted);
    };
    update->ShowModal();
    QCOMPARE(f->services.messages, QStringList{message});
    QVERIFY(stayedOpen);
    QVERIFY(modal);
    QCOMPARE(button, DownloadUpdate::lkClose());
    QCOMPARE(update->result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(QDir(desktop.path()).absoluteFilePath("../evil.pkg")));
    QCOMPARE(QDir(desktop.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

// An archive that ends early is a failed download with its reason, and nothing of it stays.
void TestUpdate::cutDownload()
{
    server->route("/public/software/lumetra.zip", cutShort(makeZip({{"lumetra.pkg", "x"}})));
    DownloadUpdate update(server->address() + "/public/software/lumetra.zip");
    f->services.modalHandlers << [&](QDialog& d) {
        (void)QTest::qWaitFor([&] { return !f->services.messages.isEmpty(); }, 30000);
        static_cast<DownloadUpdate&>(d).ButtonCancel->click();
        return int(QDialog::Rejected);
    };
    update.ShowModal();
    QCOMPARE(f->services.messages, QStringList {"failed: the transfer was cut short."});
    QVERIFY(f->services.launched.isEmpty());
    QCOMPARE(QDir(desktop.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

namespace {

// An archive's first bytes, then silence.
TestHttpServer::Reply stalling()
{
    TestHttpServer::Reply reply{200, QByteArray(200000, 'z'), "application/zip"};
    reply.stallAfter = 50000;
    return reply;
}

}  // namespace

void TestUpdate::stalledDownloadCancelled()
{
    server->route("/public/software/lumetra.zip", stalling());
    DownloadUpdate update(server->address() + "/public/software/lumetra.zip");
    qint64 partial = 0;
    f->services.modalHandlers << [&](QDialog& d) {
        auto& window = static_cast<DownloadUpdate&>(d);
        const QString file = QDir(window.Folder()).filePath("lumetra.zip");
        (void)QTest::qWaitFor([&] { return QFileInfo(file).size() >= 50000; }, 30000);
        partial = QFileInfo(file).size();
        window.ButtonCancel->click();
        return int(QDialog::Accepted);
    };
    update.ShowModal();
    QCOMPARE(partial, qint64(50000));
    QCOMPARE(update.result(), int(QDialog::Rejected));
    QVERIFY(f->services.messages.isEmpty());
    QCOMPARE(QDir(desktop.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

// The window goes while its download runs: nothing of it runs afterwards (the sanitizer
// build sees any use of the half-destroyed window) and the partial file goes too.
void TestUpdate::teardownWhileDownloading()
{
    server->route("/public/software/lumetra.zip", stalling());
    auto update = std::make_unique<DownloadUpdate>(server->address() + "/public/software/lumetra.zip");
    update->show();
    const QString file = QDir(update->Folder()).filePath("lumetra.zip");
    QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(file).size(), qint64(50000), 30000);
    update.reset();
    // What the torn-down download would still raise (a failure, a message) comes while it
    // goes or from signals of its reply already queued, which the first passes of the
    // event loop deliver: 50 ms of passes is ample.
    QTest::qWait(50);
    QVERIFY(f->services.messages.isEmpty());
    QCOMPARE(QDir(desktop.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestUpdate::socketTeardownRaisesNothing()
{
    server->route("/file", stalling());
    const QString path = desktop.filePath("part");
    int raised = 0;
    {
        HTTPSocket socket;
        socket.DownloadComplete.connect(this, [&](int, const QString&) { ++raised; });
        socket.Error.connect(this, [&](int) { ++raised; });
        socket.Get(server->address() + "/file", path);
        QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(path).size(), qint64(50000), 30000);
    }
    // The aborted reply's finished and error signals come as it is aborted or, queued,
    // on the first passes of the event loop: 50 ms of passes is ample.
    QTest::qWait(50);
    QCOMPARE(raised, 0);
    QVERIFY(!QFile::exists(path));
}

// The about box and the download window hold the whole program: typing into the document
// window does nothing while either is open.
void TestUpdate::modalWindowsBlockTheDocument()
{
    qputenv("LUMETRA_SERVER", "");
    Applicazione* w = f->newWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->EditFieldNome()->setFocus();
    w->EditFieldNome()->setText("");
    QTest::keyClick(w->windowHandle(), Qt::Key_A);
    QCOMPARE(w->EditFieldNome()->text(), QString("a"));

    QStringList blocked;
    auto tryTyping = [&](QDialog& d) {
        const bool modal = QApplication::activeModalWidget() == &d;
        QTest::keyClick(w->windowHandle(), Qt::Key_B);
        blocked << QString("%1 %2 %3").arg(d.metaObject()->className()).arg(modal).arg(w->EditFieldNome()->text());
        return int(QDialog::Rejected);
    };
    f->services.modalHandlers << tryTyping;
    AboutDialog::ShowModal();

    server->route("/public/software/lumetra.zip", stalling());
    f->services.modalHandlers << tryTyping;
    DownloadUpdate update(server->address() + "/public/software/lumetra.zip");
    update.ShowModal();
    QCOMPARE(blocked, (QStringList{"AboutDialog 1 a", "DownloadUpdate 1 a"}));
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
