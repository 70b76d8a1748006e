#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

// The built program as a user starts it, and what `cmake --install` puts in place.
class TestProgram : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
    void secondStartHandsOverAndStaleSocketIsTakenOver();
    void installedDesktopEntryAndIcon();

private:
    // The program under a runtime folder of the test's own, so its name is private to it.
    QProcess* start(const QStringList& arguments, const QString& runtime);
};

namespace {

// One POI, so a window opens on it without a word.
void writeOv2(const QString& path)
{
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(QByteArray::fromHex("021300000040e201008096980050756e746f00"));
}

}  // namespace

QProcess* TestProgram::start(const QStringList& arguments, const QString& runtime)
{
    auto* process = new QProcess(this);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime);
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(runtime);
    process->start(LUMETRA_PROGRAM, arguments);
    return process;
}

void TestProgram::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: \\S*lumetra \\[options\\] \\[files...\\]";
    QTest::newRow("short help") << QStringList{"-h"} << 0 << "--version";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "^Lumetra 1\\.4\\.0\\.5$";
    QTest::newRow("unknown option") << QStringList{"--frobnicate", "a.ov2"} << 1 << "frobnicate";
}

void TestProgram::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QTemporaryDir runtime;
    QProcess* program = start(arguments, runtime.path());
    QVERIFY(program->waitForFinished(30000));
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), exitCode);
    const QString said = QString::fromLocal8Bit(program->readAllStandardOutput() + program->readAllStandardError());
    QVERIFY2(QRegularExpression(output, QRegularExpression::MultilineOption).match(said).hasMatch(), qPrintable(said));
    // Options are never taken for files, and nothing was left listening.
    QVERIFY(!QFile::exists(runtime.filePath("lumetra.socket")));
}

void TestProgram::secondStartHandsOverAndStaleSocketIsTakenOver()
{
    QTemporaryDir runtime;
    const QString socket = runtime.filePath("lumetra.socket");
    const auto listening = [socket] {
        QLocalSocket probe;
        probe.connectToServer(socket);
        return probe.waitForConnected(1000);
    };

    writeOv2(runtime.filePath("b.ov2"));
    writeOv2(runtime.filePath("c.ov2"));
    QProcess* first = start({}, runtime.path());
    QTRY_VERIFY_WITH_TIMEOUT(listening(), 30000);
    QProcess* second = start({"b.ov2"}, runtime.path());
    QVERIFY(second->waitForFinished(30000));
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);

    // A crash leaves the socket behind: the next start must still run.
    first->kill();
    QVERIFY(first->waitForFinished(30000));
    QVERIFY(QFile::exists(socket));
    QVERIFY(!listening());
    QProcess* third = start({}, runtime.path());
    QTRY_VERIFY_WITH_TIMEOUT(listening(), 30000);
    QCOMPARE(third->state(), QProcess::Running);
    QProcess* fourth = start({"c.ov2"}, runtime.path());
    QVERIFY(fourth->waitForFinished(30000));
    QCOMPARE(fourth->exitCode(), 0);
    third->kill();
    QVERIFY(third->waitForFinished(30000));
}

void TestProgram::installedDesktopEntryAndIcon()
{
    QTemporaryDir prefix;
    QProcess install;
    install.start(LUMETRA_CMAKE, {"--install", LUMETRA_BUILD_DIR, "--prefix", prefix.path()});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());

    const QDir root(prefix.path());
    const QString entry = root.filePath("share/applications/lumetra.desktop");
    QFile desktop(entry);
    QVERIFY(desktop.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(desktop.readAll()).split('\n');
    QVERIFY(lines.contains("Icon=lumetra"));
    QVERIFY(lines.contains("Exec=lumetra %F"));
    QVERIFY(QFileInfo(root.filePath("bin/lumetra")).isExecutable());

    QSvgRenderer icon(root.filePath("share/icons/hicolor/scalable/apps/lumetra.svg"));
    QVERIFY(icon.isValid());
    QCOMPARE(icon.defaultSize().width(), icon.defaultSize().height());

    const QString validate = QStandardPaths::findExecutable("desktop-file-validate");
    if (validate.isEmpty())
        QSKIP("desktop-file-validate is not installed (package desktop-file-utils)");
    QProcess check;
    check.start(validate, {entry});
    QVERIFY(check.waitForFinished(30000));
    // Errors and hints alike are printed; a clean entry says nothing.
    const QByteArray said = check.readAllStandardOutput() + check.readAllStandardError();
    QVERIFY2(said.isEmpty(), said.constData());
    QCOMPARE(check.exitCode(), 0);
}

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
