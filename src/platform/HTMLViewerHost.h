#pragma once

#include <QObject>
#include <QString>

class HTMLViewer;

// The object the bridge's script reaches through the web channel as "host": it hands the
// page's callback URLs over as text, so that a URL a QUrl cannot hold (such as
// "handler://CMD0ciao%20mondo") arrives exactly as the page wrote it.
class HTMLViewerHost final : public QObject {
    Q_OBJECT
public:
    explicit HTMLViewerHost(HTMLViewer& viewer);

    // Only the bridge's own world reaches this (see PageBridge); still, any URL but a
    // "handler://" callback is ignored.
    Q_INVOKABLE void callback(const QString& url);

private:
    HTMLViewer& mViewer;
};
