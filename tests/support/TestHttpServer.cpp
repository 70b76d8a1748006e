#include "support/TestHttpServer.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

TestHttpServer::TestHttpServer()
    : mServer(new QTcpServer(this))
{
    mServer->listen(QHostAddress::LocalHost, 0);
    connect(mServer, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = mServer->nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        }
    });
}

TestHttpServer::~TestHttpServer()
{
    mServer->close();
}

QString TestHttpServer::address() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(mServer->serverPort());
}

void TestHttpServer::route(const QString& path, const Reply& reply)
{
    mRoutes.insert(path, reply);
}

void TestHttpServer::serve(QTcpSocket* socket)
{
    if (!socket->canReadLine() || socket->property("served").toBool())
        return;
    const QList<QByteArray> line = socket->readLine().trimmed().split(' ');
    socket->setProperty("served", true);
    const QString target = line.size() > 1 ? QString::fromUtf8(line[1]) : QString();
    requests << target;
    const QString path = target.section('?', 0, 0);
    Reply reply;
    if (mRoutes.contains(path))
        reply = mRoutes.value(path);
    else
        reply = Reply{404, "not found"};
    if (reply.silent)
        return;
    if (reply.delayMs > 0)
        QTimer::singleShot(reply.delayMs, socket, [this, socket, reply] { answer(socket, reply); });
    else
        answer(socket, reply);
}

void TestHttpServer::answer(QTcpSocket* socket, const Reply& reply)
{
    if (reply.endless) {
        answerEndlessly(socket, reply);
        return;
    }
    QByteArray head = "HTTP/1.0 " + QByteArray::number(reply.status) + " X\r\nContent-Type: " + reply.contentType +
                      "\r\nContent-Length: " + QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n" +
                      reply.headers + "\r\n";
    if (reply.stallAfter >= 0) {
        socket->write(head + reply.body.left(reply.stallAfter));
        return;
    }
    const QByteArray body = reply.cutAfter >= 0 ? reply.body.left(reply.cutAfter) : reply.body;
    socket->write(head + body);
    bodyBytesSent += body.size();
    socket->disconnectFromHost();
}

void TestHttpServer::answerEndlessly(QTcpSocket* socket, const Reply& reply)
{
    socket->write("HTTP/1.0 " + QByteArray::number(reply.status) + " X\r\nContent-Type: " + reply.contentType
        + "\r\nConnection: close\r\n" + reply.headers + "\r\n");
    // A few copies queued at a time: the server keeps up with the client, whatever its pace.
    const auto more = [this, socket, body = reply.body] {
        while (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < 4 * body.size()) {
            socket->write(body);
            bodyBytesSent += body.size();
        }
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, more);
    more();
}
