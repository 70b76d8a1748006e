#include "support/BenchPage.h"

#include "platform/HTMLViewer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWebEnginePage>

#include <memory>

namespace Bench {

QVariant evaluate(HTMLViewer& view, const QString& script, int timeoutMs)
{
    struct Answer {
        QVariant value;
        bool done = false;
    };
    auto answer = std::make_shared<Answer>();
    view.page()->runJavaScript(script, [answer](const QVariant& value) {
        answer->value = value;
        answer->done = true;
    });
    QElapsedTimer clock;
    clock.start();
    while (!answer->done && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return answer->value;
}

bool waitForPage(HTMLViewer& view)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
        if (evaluate(view, QStringLiteral("!!(window.LumetraMap && LumetraMap.state().channel)")).toBool())
            return true;
        QThread::msleep(100);
        QCoreApplication::processEvents();
    }
    return false;
}

}  // namespace Bench
