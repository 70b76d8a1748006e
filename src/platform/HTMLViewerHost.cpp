#include "platform/HTMLViewerHost.h"

#include "platform/HTMLViewer.h"

HTMLViewerHost::HTMLViewerHost(HTMLViewer& viewer)
    : QObject(&viewer)
    , mViewer(viewer)
{
}

void HTMLViewerHost::navigate(const QString& url)
{
    mViewer.NavigateFromPage(url);
}
