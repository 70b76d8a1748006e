#pragma once

#include <QObject>
#include <QString>

class HTMLViewer;

// The object the page's script reaches through the web channel as "host": it hands
// callback URLs over as text, so that a URL a QUrl cannot hold (such as
// "handler://CMD0ciao%20mondo") arrives exactly as the page wrote it.
class HTMLViewerHost final : public QObject {
    Q_OBJECT
public:
    explicit HTMLViewerHost(HTMLViewer& viewer);

    // Any script of the page can call this, not only the bridge's (see PageBridge): any
    // URL but a "handler://" callback is ignored.
    Q_INVOKABLE void callback(const QString& url);

private:
    HTMLViewer& mViewer;
};
