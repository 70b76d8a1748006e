#pragma once

#include "platform/Event.h"

#include <QWebEnginePage>

// The web view's page: its navigation filter, and script dialogs that go to its owner
// instead of blocking on a dialog of their own.
class HTMLViewerPage final : public QWebEnginePage {
    Q_OBJECT
public:
    explicit HTMLViewerPage(QObject* parent = nullptr);

    // True lets the navigation go on.
    Event<bool(const QUrl& url)> AcceptNavigation;
    // The page's script called alert(); it waits until the handler returns.
    Event<void(const QString& text)> Alert;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg, const QString& defaultValue,
                          QString* result) override;
};
