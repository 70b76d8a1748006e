#include "platform/HTMLViewer.h"

#include "platform/CallbackSchemeHandler.h"
#include "platform/HTMLViewerHost.h"
#include "platform/HTMLViewerPage.h"
#include "platform/NetworkText.h"
#include "platform/PageBridge.h"
#include "platform/PageMessages.h"
#include "platform/ResourceSchemeHandler.h"
#include "platform/UrlCodec.h"

#include <QUrl>
#include <QWebChannel>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlScheme>

namespace {

const char* const kScheme = "lumetra";

// Chromium's code for a load that was stopped or replaced: no failure of the page.
constexpr int kAborted = -3;

// Enough of an address in a message to tell which one it was.
constexpr qsizetype kShownAddress = 300;

// Callback navigations ("handler://...") are handed to us instead of to the system; their
// text reaches the program through the page's bridge (PageBridge).
void installSchemeHandlers(QWebEngineProfile* profile)
{
    if (!profile->urlSchemeHandler(kScheme))
        profile->installUrlSchemeHandler(kScheme, new ResourceSchemeHandler(profile));
    if (!profile->urlSchemeHandler(CallbackSchemeHandler::kScheme))
        profile->installUrlSchemeHandler(CallbackSchemeHandler::kScheme, new CallbackSchemeHandler(profile));
}

// A failed load in words, with the address: the web view's own texts are fragments of
// its error page ("is currently unable to handle this request.") or codes.
QString ErrorText(const QWebEngineLoadingInfo& info, const QString& url)
{
    // A page can make the address as long as the engine takes; the reason after it must show.
    const QString address = PageMessages::Bounded(url, kShownAddress);
    if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain)
        return NetworkText::PageFailed(address, NetworkText::ServerAnswered(info.errorCode()));
    return NetworkText::PageFailed(address, NetworkText::Chromium(info.errorCode(), info.errorString()));
}

}  // namespace

HTMLViewer::HTMLViewer(QWidget* parent)
    : QWebEngineView(parent)
    , mPage(new HTMLViewerPage(this))
    , mMessages(new PageMessages(this))
{
    installSchemeHandlers(mPage->profile());
    // The engine says nothing of who started a navigation: none counts as the user's.
    mPage->AcceptNavigation.connect(this, [this](const QUrl& url) { return !Filter(url.toString(), false); });
    mPage->Alert.connect(this, [this](const QString& text) { ShowPageMessage(text); });

    auto* channel = new QWebChannel(mPage);
    channel->registerObject(QStringLiteral("host"), new HTMLViewerHost(*this));
    mPage->setWebChannel(channel, QWebEngineScript::ApplicationWorld);
    mPage->scripts().insert(PageBridge::PageScript());
    mPage->scripts().insert(PageBridge::HostScript());

    connect(mPage, &QWebEnginePage::loadingChanged, this, &HTMLViewer::OnLoadingChanged);
    connect(mPage, &QWebEnginePage::loadProgress, this,
        [this](int percent) { DocumentProgressChanged(mLoadingUrl, percent); });
    // The request's URL goes to the chosen view as a navigation of its own, so the page
    // shown there stays when the filter cancels it.
    connect(mPage, &QWebEnginePage::newWindowRequested, this, [this](QWebEngineNewWindowRequest& request) {
        if (HTMLViewer* target = NewWindow())
            target->NavigateAsPage(request.requestedUrl(), request.isUserInitiated());
    });
    // A frame's navigation to a scheme that nothing here serves (mailto:, a made-up one)
    // would have the engine hand it to the system, past the navigation filter, which
    // hears the main frame only.
    mPage->settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    // A new window that no click of the user's opened is refused by the page's own process:
    // each one would cost the program a page made and dropped, and a page can ask for
    // thousands.
    mPage->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    setPage(mPage);
}

void HTMLViewer::RegisterSchemes()
{
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalAccessAllowed |
                    QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);

    QWebEngineUrlScheme callbacks(CallbackSchemeHandler::kScheme);
    callbacks.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    QWebEngineUrlScheme::registerScheme(callbacks);
}

QString HTMLViewer::SchemeName()
{
    return QString::fromLatin1(kScheme);
}

void HTMLViewer::LoadURL(const QString& url)
{
    mMessages->Restart();
    mPage->load(QUrl(url));
}

void HTMLViewer::Cancel()
{
    mPage->triggerAction(QWebEnginePage::Stop);
}

void HTMLViewer::EvaluateJavaScriptMBS(const QString& script)
{
    mPage->runJavaScript(script);
}

void HTMLViewer::ShowPageMessage(const QString& text)
{
    if (!mSilent)
        mMessages->Show(text);
}

void HTMLViewer::Silence()
{
    mSilent = true;
    mPage->triggerAction(QWebEnginePage::Stop);
}

void HTMLViewer::Copy()
{
    mPage->triggerAction(QWebEnginePage::Copy);
}

void HTMLViewer::Paste()
{
    mPage->triggerAction(QWebEnginePage::Paste);
}

void HTMLViewer::SelectAll()
{
    mPage->triggerAction(QWebEnginePage::SelectAll);
}

void HTMLViewer::Cut()
{
    mPage->triggerAction(QWebEnginePage::Cut);
}

void HTMLViewer::Clear()
{
    mPage->runJavaScript(QStringLiteral("document.execCommand('delete')"));
}

void HTMLViewer::CallbackFromPage(const QString& url)
{
    Filter(url, false);
}

void HTMLViewer::NavigateAsPage(const QUrl& url, bool byUser)
{
    // What the filter cancels never starts a navigation, which would stop the page's loading
    // if it is still under way. An empty URL would reload the page shown. Loaded by the
    // program, the URL would have the program's own rights: a page may not load a local
    // file, the program may.
    if (url.isEmpty() || Filter(url.toString(), byUser))
        return;
    mPage->runJavaScript(
        QStringLiteral("location.href = decodeURIComponent('%1')").arg(EncodeURLComponent(url.toString())),
        QWebEngineScript::ApplicationWorld);
}

bool HTMLViewer::Filter(const QString& url, bool byUser)
{
    return mSilent || CancelLoad(url, byUser);
}

void HTMLViewer::OnLoadingChanged(const QWebEngineLoadingInfo& info)
{
    if (mSilent)
        return;
    const QString url = info.url().toString();
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        mLoadingUrl = url;
        DocumentBegin(url);
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        if (info.errorCode() != kAborted && Error)
            Error(info.errorCode(), ErrorText(info, url));
        [[fallthrough]];
    case QWebEngineLoadingInfo::LoadStoppedStatus:
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        DocumentComplete(url);
        break;
    }
}
