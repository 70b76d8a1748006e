#include "platform/HTMLViewerPage.h"

#include "platform/CallbackSchemeHandler.h"

#include <QWebEngineProfile>

HTMLViewerPage::HTMLViewerPage(QObject* parent)
    : QWebEnginePage(QWebEngineProfile::defaultProfile(), parent)
{
}

bool HTMLViewerPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    // A callback reaches the program through the page's bridge, with its text intact; one
    // that got past the bridge arrives here mangled by QUrl and is dropped.
    if (url.scheme() == QLatin1String(CallbackSchemeHandler::kScheme))
        return false;
    if (!isMainFrame || !AcceptNavigation)
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    return AcceptNavigation(url);
}

void HTMLViewerPage::javaScriptAlert(const QUrl&, const QString& msg)
{
    Alert(msg);
}

bool HTMLViewerPage::javaScriptConfirm(const QUrl&, const QString&)
{
    return false;
}

bool HTMLViewerPage::javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*)
{
    return false;
}
