#include "shell/SingleInstance.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// What a crash leaves: a socket file that nobody listens on.
bool makeStaleSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    qstrncpy(address.sun_path, name.constData(), sizeof address.sun_path);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound && QFile::exists(path);
}

}  // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void laterStartsHandTheirFilesOver_data();
    void laterStartsHandTheirFilesOver();
    void staleSocketDoesNotStopAStart();
    void runningProgramTakesTheNameBack();
};

void TestSingleInstance::laterStartsHandTheirFilesOver_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::newRow("no files: a new document") << QStringList{};
    QTest::newRow("files in order") << QStringList{"/home/u/b.ov2", "/home/u/R&D.ov2", "/home/u/città.ov2"};
}

void TestSingleInstance::laterStartsHandTheirFilesOver()
{
    QFETCH(QStringList, files);
    QTemporaryDir dir;
    const QString name = dir.filePath("lumetra.socket");
    SingleInstance running(name);
    QSignalSpy handed(&running, &SingleInstance::FilesHandedOver);
    QCOMPARE(running.Start({"/home/u/a.ov2"}), SingleInstance::Role::Running);

    SingleInstance later(name);
    QCOMPARE(later.Start(files), SingleInstance::Role::HandedOver);
    QTRY_COMPARE_WITH_TIMEOUT(handed.count(), 1, 30000);
    QCOMPARE(handed.at(0).at(0).toStringList(), files);

    // A second hand-over on the same name is heard as well.
    SingleInstance third(name);
    QCOMPARE(third.Start({"/x.ov2"}), SingleInstance::Role::HandedOver);
    QTRY_COMPARE_WITH_TIMEOUT(handed.count(), 2, 30000);
    QCOMPARE(handed.at(1).at(0).toStringList(), QStringList{"/x.ov2"});
}

void TestSingleInstance::staleSocketDoesNotStopAStart()
{
    QTemporaryDir dir;
    const QString name = dir.filePath("lumetra.socket");
    QVERIFY(makeStaleSocket(name));

    SingleInstance first(name);
    QSignalSpy handed(&first, &SingleInstance::FilesHandedOver);
    QCOMPARE(first.Start({}), SingleInstance::Role::Running);
    SingleInstance later(name);
    QCOMPARE(later.Start({"/b.ov2"}), SingleInstance::Role::HandedOver);
    QTRY_COMPARE_WITH_TIMEOUT(handed.count(), 1, 30000);
    QCOMPARE(handed.at(0).at(0).toStringList(), QStringList{"/b.ov2"});
}

void TestSingleInstance::runningProgramTakesTheNameBack()
{
    // Once the running program ends, the next start runs on its own.
    QTemporaryDir dir;
    const QString name = dir.filePath("lumetra.socket");
    {
        SingleInstance first(name);
        QCOMPARE(first.Start({}), SingleInstance::Role::Running);
    }
    SingleInstance next(name);
    QCOMPARE(next.Start({"/b.ov2"}), SingleInstance::Role::Running);
    QLocalSocket probe;
    probe.connectToServer(name);
    QVERIFY(probe.waitForConnected(30000));
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
