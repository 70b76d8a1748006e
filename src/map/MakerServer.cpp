#include "map/MakerServer.h"

#include "platform/HTMLViewer.h"

#include <QUrl>

namespace {
const char* const kWebSite = "https://lumetra.example.org";
const char* const kMapPagePath = "/maps/lumetra/default.aspx?ver=1.4.0.5";
// Our own copy of the page, compiled into the program under :/map.
const char* const kOwnMapPage = "://map/index.html?ver=1.4.0.5";

// "http://host" and "http://host:80" are one site.
int portOf(const QUrl& url)
{
    if (url.scheme() == QLatin1String("https"))
        return url.port(443);
    if (url.scheme() == QLatin1String("http"))
        return url.port(80);
    return url.port();
}
} // namespace

QString MakerServer::ServerAddress()
{
    return ConfiguredAddress("LUMETRA_SERVER");
}

QString MakerServer::ConfiguredAddress(const char* variable)
{
    QString server = qEnvironmentVariable(variable).trimmed();
    while (server.endsWith('/'))
        server.chop(1);
    return server;
}

QString MakerServer::WebSite()
{
    const QString server = ServerAddress();
    return server.isEmpty() ? QString::fromLatin1(kWebSite) : server;
}

QString MakerServer::MapPageAddress()
{
    const QString server = ServerAddress();
    if (server.isEmpty())
        return HTMLViewer::SchemeName() + QLatin1String(kOwnMapPage);
    return server + QLatin1String(kMapPagePath);
}

bool MakerServer::IsSiteAddress(const QString& url)
{
    const QUrl site(MapPageAddress());
    const QUrl address(url);
    if (!address.isValid() || address.scheme() != site.scheme() || address.host() != site.host()
        || portOf(address) != portOf(site))
        return false;
    const QString root = QUrl(ServerAddress()).path();
    if (root.isEmpty())
        return true;
    const QString path = address.adjusted(QUrl::NormalizePathSegments).path();
    return path.compare(root, Qt::CaseInsensitive) == 0
        || path.startsWith(root + QLatin1Char('/'), Qt::CaseInsensitive);
}
