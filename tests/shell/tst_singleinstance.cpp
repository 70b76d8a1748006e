#include "shell/SingleInstance.h"

#include <QDataStream>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

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

sockaddr_un socketAddress(const QString& path)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    return address;
}

// Another process of the same user on the running program's socket: it writes its bytes in
// pieces until they are all written or the program has closed the connection, then waits
// for the program to close it.
class RawPeer {
public:
    RawPeer(const QString& path, QByteArray bytes, qsizetype piece)
        : mSocket(::socket(AF_UNIX, SOCK_STREAM, 0))
    {
        const sockaddr_un address = socketAddress(path);
        if (mSocket < 0 || ::connect(mSocket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            mFinished = true;
            return;
        }
        mThread = std::thread([this, bytes = std::move(bytes), piece] {
            while (mWritten < bytes.size()) {
                const auto n = ::send(mSocket, bytes.constData() + mWritten,
                    size_t(std::min<qsizetype>(piece, bytes.size() - mWritten)), MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                mWritten += n;
                if (piece == 1)
                    ::usleep(500);
            }
            char byte;
            while (::recv(mSocket, &byte, 1, 0) > 0) { }
            mFinished = true;
        });
    }
    ~RawPeer()
    {
        if (mSocket >= 0)
            ::shutdown(mSocket, SHUT_RDWR);
        if (mThread.joinable())
            mThread.join();
        if (mSocket >= 0)
            ::close(mSocket);
    }
    bool finished() const { return mFinished; }
    qint64 written() const { return mWritten; }

private:
    const int mSocket;
    std::atomic<qint64> mWritten {0};
    std::atomic<bool> mFinished {false};
    std::thread mThread;
};

// A hand-over message's head, as a later start writes it: the magic number and the count.
QByteArray head(quint32 magic, quint32 count)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << magic << count;
    return bytes;
}

}  // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void laterStartsHandTheirFilesOver_data();
    void laterStartsHandTheirFilesOver();
    void staleSocketDoesNotStopAStart();
    void runningProgramTakesTheNameBack();
    void messagesReadAsTheyCome_data();
    void messagesReadAsTheyCome();
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

void TestSingleInstance::messagesReadAsTheyCome_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("piece");
    QTest::addColumn<QStringList>("handed");
    QTest::addColumn<bool>("allWritten");
    const QStringList files {"/home/u/a.ov2", "/home/u/citt\u00e0.ov2"};
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << quint32(0x4c554d31) << files;
    const QByteArray path = QByteArray(50 * 1024 * 1024, 'a');
    QByteArray huge = head(0x4c554d31, 1);
    QDataStream(&huge, QIODevice::Append) << quint32(path.size());
    QTest::newRow("a byte at a time") << message << 1 << files << true;
    QTest::newRow("one path of 50 MB") << huge + path << 64 * 1024 << QStringList() << false;
    QTest::newRow("a billion paths") << head(0x4c554d31, 1000000000) + path << 64 * 1024 << QStringList() << false;
    QTest::newRow("another program's bytes")
        << QByteArray("GET / HTTP/1.0\r\n\r\n") + path.left(1024 * 1024) << 64 * 1024 << QStringList() << false;
}

// The running program reads what comes over its socket once, as it comes: a message in many
// pieces is heard, and one larger than any hand-over, or of another kind, ends the
// connection before the program has read it.
void TestSingleInstance::messagesReadAsTheyCome()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, piece);
    QFETCH(QStringList, handed);
    QFETCH(bool, allWritten);
    QTemporaryDir dir;
    const QString name = dir.filePath("lumetra.socket");
    SingleInstance running(name);
    QSignalSpy spy(&running, &SingleInstance::FilesHandedOver);
    QCOMPARE(running.Start({}), SingleInstance::Role::Running);
    {
        RawPeer peer(name, bytes, piece);
        QTRY_VERIFY_WITH_TIMEOUT(peer.finished(), 30000);
        QCOMPARE(peer.written() == bytes.size(), allWritten);
    }
    QCOMPARE(spy.count(), handed.isEmpty() ? 0 : 1);
    if (!handed.isEmpty())
        QCOMPARE(spy.at(0).at(0).toStringList(), handed);
    // The program still hears the next start.
    SingleInstance later(name);
    QCOMPARE(later.Start({"/b.ov2"}), SingleInstance::Role::HandedOver);
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), handed.isEmpty() ? 1 : 2, 30000);
    QCOMPARE(spy.last().at(0).toStringList(), QStringList {"/b.ov2"});
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
