#include "platform/PageBridge.h"

#include <QFile>

namespace {

const char* const kBridge = R"JS(
(function () {
    "use strict";
    if (window.LumetraHost || !window.qt || !window.qt.webChannelTransport) {
        return;
    }
    var host = null;
    var waiting = [];

    // Only callbacks reach the program; any other address goes the way a link's would.
    function navigate(url) {
        url = String(url);
        if (!isCallback(url)) {
            window.location.assign(url);
        } else if (host) {
            host.callback(url);
        } else {
            waiting.push(url);
        }
    }

    new QWebChannel(window.qt.webChannelTransport, function (channel) {
        host = channel.objects.host;
        waiting.forEach(function (url) { host.callback(url); });
        waiting = [];
    });

    function isCallback(url) {
        return /^handler:\/\//i.test(url);
    }

    if (window.navigation) {
        window.navigation.addEventListener("navigate", function (event) {
            var url = event.destination.url;
            if (isCallback(url) && event.cancelable) {
                event.preventDefault();
                navigate(url);
            }
        });
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
            ready: function () { return host !== null; }
        })
    });
}());
)JS";

}  // namespace

QWebEngineScript PageBridge::Script()
{
    static const QString source = [] {
        QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
        const QString channel = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        return channel + QLatin1Char('\n') + QString::fromUtf8(kBridge);
    }();
    QWebEngineScript script;
    script.setName(QStringLiteral("lumetra-bridge"));
    script.setSourceCode(source);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(false);
    return script;
}
