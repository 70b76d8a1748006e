#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

// A small HTTP/1.0 server on 127.0.0.1 for tests: answers each path with a scripted
// reply and records the request targets it received. It stops with the object.
class TestHttpServer final : public QObject {
    Q_OBJECT
public:
    struct Reply {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/plain";
        bool silent = false;  // never answers: for time-outs
        QByteArray headers = {};  // further header lines, each ending in "\r\n"
        qint64 stallAfter = -1;  // sends only this much of the body, then nothing more
        qint64 cutAfter = -1; // sends only this much of the body, then closes the connection
        int delayMs = 0;  // answers after this long, as a slow server does
        bool endless = false; // sends the body again and again, until the client hangs up
    };

    TestHttpServer();
    ~TestHttpServer() override;

    // "http://127.0.0.1:PORT"
    QString address() const;
    void route(const QString& path, const Reply& reply);
    // The request targets (path and query) received so far, in order.
    QStringList requests;
    // The bytes of body sent so far, over every request.
    qint64 bodyBytesSent = 0;

private:
    void serve(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const Reply& reply);
    void answerEndlessly(QTcpSocket* socket, const Reply& reply);

    QTcpServer* mServer;
    QHash<QString, Reply> mRoutes;
};
