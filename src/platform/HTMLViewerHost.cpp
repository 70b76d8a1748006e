#include "platform/HTMLViewerHost.h"

#include "platform/CallbackSchemeHandler.h"
#include "platform/HTMLViewer.h"

HTMLViewerHost::HTMLViewerHost(HTMLViewer& viewer)
    : QObject(&viewer)
    , mViewer(viewer)
{
}

void HTMLViewerHost::callback(const QString& url)
{
    const QString prefix = QLatin1String(CallbackSchemeHandler::kScheme) + QLatin1String("://");
    if (url.startsWith(prefix, Qt::CaseInsensitive))
        mViewer.CallbackFromPage(url);
}
