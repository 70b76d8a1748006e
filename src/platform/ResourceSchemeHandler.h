#pragma once

#include <QByteArray>
#include <QWebEngineUrlSchemeHandler>

#include <functional>

// Serves the program's compiled-in resources to the web view: "<scheme>://map/index.html"
// is the resource ":/map/index.html", so pages of ours load with no server at all.
class ResourceSchemeHandler final : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    explicit ResourceSchemeHandler(QObject* parent = nullptr);

    // Serves the resource (such as "map/texts.js") as `content` makes it at each request,
    // for what follows the program's state, its language for one.
    static void Provide(const QString& resource, std::function<QByteArray()> content);

    void requestStarted(QWebEngineUrlRequestJob* job) override;
};
