#pragma once

#include <QWebEngineScript>

// The script every page of the web view gets before its own: Qt's web channel client and
// "LumetraHost", through which a page hands its "handler://" callbacks to the program as
// text (any other URL given to it is navigated to as a link's would be). Callback
// navigations the page makes itself are caught and sent the same way, since a QUrl
// would take their text for a host name and mangle it.
class PageBridge {
public:
    static QWebEngineScript Script();
};
