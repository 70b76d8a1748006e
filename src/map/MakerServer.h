#pragma once

#include <QString>

// The maker's web server, as configured by LUMETRA_SERVER (for example
// http://127.0.0.1:8080), and the maker's web site.
class MakerServer {
public:
    // The configured server without a trailing "/", or empty when none is configured.
    static QString ServerAddress();
    // A server address configured in the environment variable, the same way.
    static QString ConfiguredAddress(const char* variable);
    // The maker's web site: the configured server, or our site's address.
    static QString WebSite();
    // The map page: on the configured server, or the page the program serves itself.
    static QString MapPageAddress();
    // Whether the URL is a page of the maker's site: the map page's scheme, host and port
    // and, when the configured server address has a path, under that path.
    static bool IsSiteAddress(const QString& url);
};
