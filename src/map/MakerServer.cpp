#include "map/MakerServer.h"

namespace {
const char* const kWebSite = "https://lumetra.example.org";
}

QString MakerServer::ServerAddress()
{
    QString server = qEnvironmentVariable("LUMETRA_SERVER").trimmed();
    while (server.endsWith('/'))
        server.chop(1);
    return server;
}

QString MakerServer::WebSite()
{
    const QString server = ServerAddress();
    return server.isEmpty() ? QString::fromLatin1(kWebSite) : server;
}
