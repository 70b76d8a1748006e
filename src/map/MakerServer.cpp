#include "map/MakerServer.h"

#include "platform/HTMLViewer.h"

#include <QUrl>

namespace {
const char* const kWebSite = "https://lumetra.example.org";
const char* const kMapPagePath = "/maps/lumetra/default.aspx?ver=1.4.0.5";
// Our own copy of the page, compiled into the program under :/map.
const char* const kOwnMapPage = "://map/index.html?ver=1.4.0.5";
}

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

QString MakerServer::SitePrefix()
{
    const QUrl page(MapPageAddress());
    return page.scheme() + QStringLiteral("://") + page.host();
}
