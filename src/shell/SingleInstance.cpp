#include "shell/SingleInstance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace {

constexpr quint32 kMagic = 0x4c554d31;  // "LUM1"

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
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << kMagic << files;
    socket.write(message);
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
        const auto read = [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            quint32 magic = 0;
            QStringList files;
            in >> magic >> files;
            if (!in.commitTransaction())
                return;  // more to come
            socket->disconnectFromServer();
            if (magic == kMagic)
                emit FilesHandedOver(files);
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        if (socket->bytesAvailable() > 0)
            read();
    }
}
