#pragma once

#include <QWebEngineUrlSchemeHandler>

// Serves the program's compiled-in resources to the web view: "<scheme>://map/index.html"
// is the resource ":/map/index.html", so pages of ours load with no server at all.
class ResourceSchemeHandler final : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    explicit ResourceSchemeHandler(QObject* parent = nullptr);

    void requestStarted(QWebEngineUrlRequestJob* job) override;
};
