#include "platform/CallbackSchemeHandler.h"

#include <QWebEngineUrlRequestJob>

CallbackSchemeHandler::CallbackSchemeHandler(QObject* parent)
    : QWebEngineUrlSchemeHandler(parent)
{
}

void CallbackSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
}
