#include "shell/SingleInstance.h"

#include "shell/HandOverMessage.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

namespace {

// What the socket holds for the program before it reads: a message comes in pieces this big.
constexpr qint64 kReadPiece = 64 * 1024;
// A later start writes its files at once: a connection still open after this is dropped.
constexpr int kReadMilliseconds = 30000;

QString userServerName()
{
    // The runtime folder belongs to the user alone, so the name is per user.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
        .filePath(QStringLiteral("lumetra.socket"));
}

}  // namespace

int SingleInstance::handOverMilliseconds = 5000;

SingleInstance::SingleInstance(const QString& serverName, QObject* parent)
    : QObject(parent), mName(serverName.isEmpty() ? userServerName() : serverName)
{
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Role SingleInstance::Start(const QStringList& files)
{
    // Two starts at the same moment must not both find nobody and take the name in turn.
    QLockFile lock(mName + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    // A lock held past the wait is another start stuck: better to go on than not to start.
    lock.tryLock(handOverMilliseconds);
    if (HandOver(files))
        return Role::HandedOver;
    return Listen() ? Role::Running : Role::Alone;
}

bool SingleInstance::HandOver(const QStringList& files)
{
    QLocalSocket socket;
    socket.connectToServer(mName);
    if (!socket.waitForConnected(handOverMilliseconds))
        return false;
    socket.write(HandOverMessage::Encode(files));
    // Once written, the files wait in the socket until the running program reads them,
    // even when this process has ended.
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(handOverMilliseconds))
            return false;
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen()
{
    mServer = new QLocalServer(this);
    mServer->setSocketOptions(QLocalServer::UserAccessOption);
    // Nobody answered on the name: a socket left there is the remains of a crash.
    QLocalServer::removeServer(mName);
    if (!mServer->listen(mName)) {
        delete mServer;
        mServer = nullptr;
        return false;
    }
    connect(mServer, &QLocalServer::newConnection, this, &SingleInstance::Receive);
    return true;
}

void SingleInstance::Receive()
{
    while (QLocalSocket* socket = mServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        socket->setReadBufferSize(kReadPiece);
        QTimer::singleShot(kReadMilliseconds, socket, &QLocalSocket::abort);
        // Each piece is read once, into the message; more than a message holds ends it.
        const auto message = std::make_shared<HandOverMessage>();
        const auto read = [this, socket, message] {
            HandOverMessage::State state = HandOverMessage::State::Reading;
            while (state == HandOverMessage::State::Reading && socket->bytesAvailable() > 0)
                state = message->Take(socket->read(kReadPiece));
            if (state == HandOverMessage::State::Reading)
                return;
            // Whatever follows the message is not read.
            socket->disconnect(this);
            if (state == HandOverMessage::State::Refused) {
                socket->abort();
                return;
            }
            socket->disconnectFromServer();
            emit FilesHandedOver(message->Files());
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        if (socket->bytesAvailable() > 0)
            read();
    }
}
