#pragma once

#include <QWebEngineUrlSchemeHandler>

// The "handler" scheme of the map page's callbacks. The text after "handler://" is the
// callback's own, which no QUrl keeps (it would be taken for a host name and mangled), so
// it reaches the program through the page's bridge script instead; registered, the
// scheme keeps the engine from handing such navigations to the system. Nothing loads here.
class CallbackSchemeHandler final : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    static constexpr const char* kScheme = "handler";

    explicit CallbackSchemeHandler(QObject* parent = nullptr);

    void requestStarted(QWebEngineUrlRequestJob* job) override;
};
