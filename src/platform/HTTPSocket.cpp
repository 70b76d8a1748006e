#include "platform/HTTPSocket.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

HTTPSocket::HTTPSocket(QObject* parent)
    : QObject(parent), mNetwork(std::make_unique<QNetworkAccessManager>())
{
}

HTTPSocket::~HTTPSocket()
{
    // Aborting finishes the download at once: its owner, maybe half destroyed, hears nothing.
    ReceiveProgress.disconnect();
    DownloadComplete.disconnect();
    Error.disconnect();
    if (mDownload)
        mDownload->abort();
}

QByteArray HTTPSocket::GetBytes(const QString& url, int timeoutSeconds, qint64 maxBytes)
{
    mLastStatus = 0;
    QNetworkRequest request{QUrl(url)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = mNetwork->get(request);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool tooLarge = false;
    connect(&timer, &QTimer::timeout, reply, &QNetworkReply::abort);
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (maxBytes >= 0)
        connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 received, qint64) {
            if (received > maxBytes) {
                tooLarge = true;
                reply->abort();
            }
        });
    timer.start(timeoutSeconds * 1000);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    mLastStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QByteArray body;
    if (reply->error() == QNetworkReply::NoError && !tooLarge)
        body = reply->readAll();
    reply->deleteLater();
    return body;
}

QString HTTPSocket::Get(const QString& url, int timeoutSeconds)
{
    return QString::fromUtf8(GetBytes(url, timeoutSeconds));
}

void HTTPSocket::Get(const QString& url, const QString& filePath)
{
    mFile = std::make_unique<QFile>(filePath);
    if (!mFile->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        mFile.reset();
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

void HTTPSocket::finishDownload()
{
    QNetworkReply* reply = mDownload;
    mFile->write(reply->readAll());
    const bool written = mFile->flush();
    const QString path = mFile->fileName();
    mFile->close();
    mFile.reset();
    mLastStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    reply->deleteLater();
    // A failed request reports its error; an answer whatever its status is the caller's to judge.
    if (error != QNetworkReply::NoError && mLastStatus == 0) {
        Error(int(error));
        return;
    }
    if (!written) {
        Error(-int(QFileDevice::WriteError));
        return;
    }
    DownloadComplete(mLastStatus, path);
}
