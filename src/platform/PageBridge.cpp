#include "platform/PageBridge.h"

#include <QFile>

namespace {

// The page's world: the page hands its callbacks over as events our own world hears.
const char* const kPageBridge = R"JS(
(function () {
    "use strict";
    if (window.LumetraHost) {
        return;
    }
    var ready = false;
    document.addEventListener("lumetra-ready", function () { ready = true; });
    // Taken now: scripts of the page may change them later.
    var dispatch = EventTarget.prototype.dispatchEvent;
    var Callback = CustomEvent;

    function isCallback(url) {
        return /^handler:\/\//i.test(url);
    }

    // Only callbacks reach the program; any other address goes the way a link's would.
    function navigate(url) {
        url = String(url);
        if (isCallback(url)) {
            dispatch.call(document, new Callback("lumetra-callback", { detail: url }));
        } else {
            window.location.assign(url);
        }
    }

    var open = window.open;
    window.open = function (url) {
        if (isCallback(String(url))) {
            navigate(url);
            return null;
        }
        return open.apply(window, arguments);
    };

    Object.defineProperty(window, "LumetraHost", {
        value: Object.freeze({
            navigate: navigate,
            ready: function () { return ready; }
        })
    });
}());
)JS";

// Our own world, with the web channel to the program.
const char* const kHostBridge = R"JS(
(function () {
    "use strict";
    var maxCallback = %1, inFlightMax = %2, waitingMax = %3;
    var host = null;
    var waiting = [];
    var next = 0;
    var inFlight = 0;

    function isCallback(url) {
        return /^handler:\/\//i.test(url);
    }

    // The next callbacks go once the program has taken those before them.
    function pump() {
        while (host && inFlight < inFlightMax && next < waiting.length) {
            ++inFlight;
            host.callback(waiting[next++], function () {
                --inFlight;
                pump();
            });
        }
        if (next === waiting.length) {
            waiting = [];
            next = 0;
        }
    }

    function send(url) {
        if (waiting.length - next < waitingMax) {
            waiting.push(url.slice(0, maxCallback));
            pump();
        }
    }

    document.addEventListener("lumetra-callback", function (event) {
        if (typeof event.detail === "string" && isCallback(event.detail)) {
            send(event.detail);
        }
    });
    // The engine tells the program of a new window the user opened, not of a link the user
    // followed; the page's world is told of both (userInitiated). A link the user follows
    // to a web address becomes a new window of the user's, which its click lets this world
    // open. A form's posted data could not go along: such a navigation goes as it is.
    function openedByUser(event) {
        return event.userInitiated && event.cancelable && !event.destination.sameDocument &&
            !event.formData && /^https?:/i.test(event.destination.url);
    }

    if (window.navigation) {
        window.navigation.addEventListener("navigate", function (event) {
            var url = event.destination.url;
            if (isCallback(url) && event.cancelable) {
                event.preventDefault();
                send(url);
            } else if (openedByUser(event)) {
                event.preventDefault();
                window.open(url);
            }
        });
    }

    new QWebChannel(window.qt.webChannelTransport, function (channel) {
        host = channel.objects.host;
        pump();
        document.dispatchEvent(new Event("lumetra-ready"));
    });
}());
)JS";

QWebEngineScript script(const char* name, const QString& source, quint32 world)
{
    QWebEngineScript script;
    script.setName(QLatin1String(name));
    script.setSourceCode(source);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(world);
    script.setRunsOnSubFrames(false);
    return script;
}

}  // namespace

QWebEngineScript PageBridge::PageScript()
{
    return script("lumetra-bridge", QString::fromUtf8(kPageBridge), QWebEngineScript::MainWorld);
}

QWebEngineScript PageBridge::HostScript()
{
    static const QString source = [] {
        QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
        const QString channel = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        return channel + QLatin1Char('\n') + QString::fromUtf8(kHostBridge).arg(MaxCallback).arg(InFlight).arg(Waiting);
    }();
    return script("lumetra-host", source, QWebEngineScript::ApplicationWorld);
}
