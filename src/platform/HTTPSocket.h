#pragma once

#include "platform/Event.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QFile;
class QNetworkAccessManager;
class QNetworkReply;

// The framework's HTTP client: a synchronous get with a time-out that keeps the windows
// painting while it waits (the user's input meanwhile is dropped), and an asynchronous
// get into a file with progress events.
class HTTPSocket final : public QObject {
    Q_OBJECT
public:
    explicit HTTPSocket(QObject* parent = nullptr);
    ~HTTPSocket() override;

    // The body of the answer, or nothing when the request failed, timed out or the
    // body grew past maxBytes (when maxBytes >= 0).
    QByteArray GetBytes(const QString& url, int timeoutSeconds, qint64 maxBytes = -1);
    QString Get(const QString& url, int timeoutSeconds, qint64 maxBytes = -1);
    // The HTTP status of the last answer, 0 when none came.
    int LastStatus() const { return mLastStatus; }
    // Why the last request failed, in words; empty when it did not.
    QString LastErrorText() const { return mLastError; }

    // Starts downloading url into the file; the events below report how it goes.
    void Get(const QString& url, const QString& filePath);
    Event<void(qint64 received, qint64 total)> ReceiveProgress;
    Event<void(int status, const QString& filePath)> DownloadComplete;
    Event<void(int code)> Error;
    // Stops the download under way, raising no event, and removes what it wrote.
    void Cancel();

private:
    void finishDownload();

    std::unique_ptr<QNetworkAccessManager> mNetwork;
    QPointer<QNetworkReply> mDownload;
    std::unique_ptr<QFile> mFile;
    int mLastStatus = 0;
    QString mLastError;
};
