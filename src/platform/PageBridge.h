#pragma once

#include <QWebEngineScript>

// The scripts every page of the web view gets before its own. In the page's world,
// "LumetraHost", through which a page hands its "handler://" callbacks to the program as
// text (any other URL given to it is navigated to as a link's would be). In a world of our
// own, which the page cannot reach, Qt's web channel client that carries them to the
// program: a callback's text is cut to MaxCallback characters, and only InFlight of them
// travel at a time while at most Waiting wait in the page, so that what a page sends costs
// the program a bounded amount of memory and time however much it sends. Callback
// navigations the page makes itself are caught and sent the same way, since a QUrl would
// take their text for a host name and mangle it. A link to a web address that the user
// follows is turned there into a new window of the user's, the one request of which the
// engine tells the program whether the user made it.
class PageBridge {
public:
    static QWebEngineScript PageScript();
    static QWebEngineScript HostScript();

    static constexpr int MaxCallback = 32768;
    static constexpr int InFlight = 32;
    static constexpr int Waiting = 10000;
};
