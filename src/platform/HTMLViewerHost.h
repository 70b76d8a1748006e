#pragma once

#include <QObject>
#include <QString>

class HTMLViewer;

// The object the page's script reaches through the web channel as "host": it hands
// URLs over as text, so that a URL a QUrl cannot hold (such as "handler://CMD0ciao%20mondo")
// arrives exactly as the page wrote it.
class HTMLViewerHost final : public QObject {
    Q_OBJECT
public:
    explicit HTMLViewerHost(HTMLViewer& viewer);

    Q_INVOKABLE void navigate(const QString& url);

private:
    HTMLViewer& mViewer;
};
