#include "platform/ResourceSchemeHandler.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QMimeDatabase>
#include <QUrl>
#include <QWebEngineUrlRequestJob>

namespace {

QHash<QString, std::function<QByteArray()>>& provided()
{
    static QHash<QString, std::function<QByteArray()>> resources;
    return resources;
}

} // namespace

ResourceSchemeHandler::ResourceSchemeHandler(QObject* parent)
    : QWebEngineUrlSchemeHandler(parent)
{
}

void ResourceSchemeHandler::Provide(const QString& resource, std::function<QByteArray()> content)
{
    provided().insert(resource, std::move(content));
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
    const QString resource = url.host() + path;
    auto* body = new QBuffer(job);
    if (const auto made = provided().constFind(resource); made != provided().cend()) {
        body->setData((*made)());
    } else {
        QFile file(QStringLiteral(":/") + resource);
        if (!file.open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        body->setData(file.readAll());
    }
    body->open(QIODevice::ReadOnly);
    const QByteArray mime = QMimeDatabase().mimeTypeForFile(resource, QMimeDatabase::MatchExtension).name().toUtf8();
    job->reply(mime, body);
}
