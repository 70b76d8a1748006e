#include "platform/ResourceSchemeHandler.h"

#include <QBuffer>
#include <QFile>
#include <QMimeDatabase>
#include <QUrl>
#include <QWebEngineUrlRequestJob>

ResourceSchemeHandler::ResourceSchemeHandler(QObject* parent)
    : QWebEngineUrlSchemeHandler(parent)
{
}

void ResourceSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QUrl url = job->requestUrl();
    const QString path = url.path(QUrl::FullyDecoded);
    if (url.host().isEmpty() || path.contains(QLatin1String(".."))) {
        job->fail(QWebEngineUrlRequestJob::UrlInvalid);
        return;
    }
    QFile file(QStringLiteral(":/") + url.host() + path);
    if (!file.open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto* body = new QBuffer(job);
    body->setData(file.readAll());
    body->open(QIODevice::ReadOnly);
    const QByteArray mime = QMimeDatabase().mimeTypeForFile(file.fileName(), QMimeDatabase::MatchExtension).name().toUtf8();
    job->reply(mime, body);
}
