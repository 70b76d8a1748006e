#pragma once

#include "platform/Event.h"

#include <QString>
#include <QWebEngineView>

class HTMLViewerPage;
class PageMessages;
class QWebEngineLoadingInfo;

// The framework's web view: loads pages, runs script in them and raises the page's
// loading, navigation and window events to handlers its owner installs.
class HTMLViewer final : public QWebEngineView {
    Q_OBJECT
public:
    explicit HTMLViewer(QWidget* parent = nullptr);

    // Our own URL schemes: "lumetra://map/index.html" serves :/map/index.html, and
    // "handler:" keeps the map page's callbacks from going to the system. Must run
    // before the QApplication is created.
    static void RegisterSchemes();
    static QString SchemeName();

    void LoadURL(const QString& url);
    // Stops the page load under way, if any.
    void Cancel();
    // Runs the script in the page; the result is not waited for.
    void EvaluateJavaScriptMBS(const QString& script);
    // Stops the page for good: whatever it sends from now on (callbacks, navigations,
    // messages, load reports) reaches nobody. For a view whose window has closed and waits
    // to be freed.
    void Silence();
    // A message box for the pages shown here: their alerts come here, and so must what they
    // send the program to show and the reports of their failed loads (see PageMessages).
    void ShowPageMessage(const QString& text);

    // The standard Edit commands on the page's selection.
    void Copy();
    void Paste();
    void SelectAll();
    void Cut();
    void Clear();

    // Events. A load that ended raises DocumentComplete after Error, if it failed.
    Event<void(const QString& url)> DocumentBegin;
    Event<void(const QString& url, int percent)> DocumentProgressChanged;
    Event<void(const QString& url)> DocumentComplete;
    // Every navigation of the page passes here first; true cancels it. byUser: the engine
    // says the user asked for it, which it says of a new window that the user's click
    // opened (a link the user clicked comes here as one, see PageBridge) and of nothing else.
    Event<bool(const QString& url, bool byUser)> CancelLoad;
    Event<void(int code, const QString& text)> Error;
    // The view in which a page's request for a new window loads, through that view's
    // navigation filter, as a navigation of the page shown there; none ignores the request.
    // Only a window that the user's click opened is requested: the engine refuses any other.
    Event<HTMLViewer*()> NewWindow;

    // A callback URL handed over by the page's script as text (see HTMLViewerHost): it
    // passes the navigation filter like any navigation, and never loads.
    void CallbackFromPage(const QString& url);

private:
    // The URL passes the navigation filter; the page shown then navigates to it itself, as
    // it would on a link's click.
    void NavigateAsPage(const QUrl& url, bool byUser);
    bool Filter(const QString& url, bool byUser);
    void OnLoadingChanged(const QWebEngineLoadingInfo& info);

    HTMLViewerPage* mPage;
    PageMessages* mMessages;
    QString mLoadingUrl;
    bool mSilent = false;
};
