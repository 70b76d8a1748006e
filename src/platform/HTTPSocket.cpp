#include "platform/HTTPSocket.h"

#include "platform/Events.h"
#include "platform/InputBlock.h"
#include "platform/NetworkText.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace {

// Words for a request that ended: the HTTP status when the server sent an error one,
// else the reason it got no whole answer.
QString failureText(QNetworkReply* reply, int status)
{
    if (status >= 400)
        return NetworkText::ServerAnswered(status);
    // The headers came, then the connection closed before the body's end.
    if (status > 0 && reply->error() == QNetworkReply::RemoteHostClosedError)
        return NetworkText::lkCutShort();
    return NetworkText::Reply(reply->error(), reply->errorString());
}

}  // namespace

HTTPSocket::HTTPSocket(QObject* parent)
    : QObject(parent), mNetwork(std::make_unique<QNetworkAccessManager>())
{
}

HTTPSocket::~HTTPSocket()
{
    // Aborting raises the reply's signals at once: our owner may already be half gone.
    Cancel();
}

QByteArray HTTPSocket::GetBytes(const QString& url, int timeoutSeconds, qint64 maxBytes)
{
    mLastStatus = 0;
    mLastError.clear();
    QNetworkRequest request{QUrl(url)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = mNetwork->get(request);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    bool tooLarge = false;
    connect(&timer, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // What the reply holds is what it has received (decompressed, if it came compressed):
    // an answer that never ends is cut off as soon as it passes the cap.
    if (maxBytes >= 0)
        connect(reply, &QNetworkReply::readyRead, reply, [&] {
            if (reply->bytesAvailable() > maxBytes) {
                tooLarge = true;
                reply->abort();
            }
        });
    timer.start(timeoutSeconds * 1000);
    {
        InputBlock block;
        Events::NestedLoop nested;
        loop.exec();
    }
    mLastStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QByteArray body;
    if (timedOut)
        mLastError = NetworkText::NoAnswerWithin(timeoutSeconds);
    else if (tooLarge && mLastStatus < 400)
        mLastError = NetworkText::lkTooLarge();
    else if (reply->error() != QNetworkReply::NoError)
        mLastError = failureText(reply, mLastStatus);
    else
        body = reply->readAll();
    reply->deleteLater();
    return body;
}

QString HTTPSocket::Get(const QString& url, int timeoutSeconds, qint64 maxBytes)
{
    return QString::fromUtf8(GetBytes(url, timeoutSeconds, maxBytes));
}

void HTTPSocket::Get(const QString& url, const QString& filePath)
{
    mLastStatus = 0;
    mLastError.clear();
    mFile = std::make_unique<QFile>(filePath);
    if (!mFile->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        mFile.reset();
        mLastError = NetworkText::lkCannotWrite().arg(filePath);
        QTimer::singleShot(0, this, [this] { Error(-int(QFileDevice::OpenError)); });
        return;
    }
    QNetworkRequest request{QUrl(url)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    mDownload = mNetwork->get(request);
    connect(mDownload, &QNetworkReply::readyRead, this, [this] { mFile->write(mDownload->readAll()); });
    connect(mDownload, &QNetworkReply::downloadProgress, this,
        [this](qint64 received, qint64 total) { ReceiveProgress(received, total); });
    connect(mDownload, &QNetworkReply::finished, this, &HTTPSocket::finishDownload);
}

void HTTPSocket::Cancel()
{
    if (!mDownload)
        return;
    QNetworkReply* reply = mDownload;
    mDownload = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
    if (mFile) {
        mFile->remove();
        mFile.reset();
    }
}

void HTTPSocket::finishDownload()
{
    QNetworkReply* reply = mDownload;
    mDownload = nullptr;
    mFile->write(reply->readAll());
    const bool written = mFile->flush();
    const QString path = mFile->fileName();
    mFile->close();
    mFile.reset();
    mLastStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    if (error != QNetworkReply::NoError)
        mLastError = failureText(reply, mLastStatus);
    reply->deleteLater();
    // A request that failed or was cut short reports its error; an answer that came whole,
    // whatever its status, is the caller's to judge.
    if (error != QNetworkReply::NoError && mLastStatus < 400) {
        QFile::remove(path);
        Error(int(error));
        return;
    }
    if (!written) {
        QFile::remove(path);
        mLastError = NetworkText::lkCannotWrite().arg(path);
        Error(-int(QFileDevice::WriteError));
        return;
    }
    DownloadComplete(mLastStatus, path);
}
