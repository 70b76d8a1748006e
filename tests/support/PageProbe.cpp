#include "support/PageProbe.h"

#include "platform/HTMLViewer.h"
#include "platform/UrlCodec.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <memory>

namespace PageProbe {

QVariant Evaluate(HTMLViewer& view, const QString& script, int timeoutMs)
{
    // The answer may come after we stopped waiting: it must find its place still there.
    struct Answer {
        QVariant value;
        bool done = false;
    };
    auto answer = std::make_shared<Answer>();
    view.page()->runJavaScript(script, [answer](const QVariant& value) {
        answer->value = value;
        answer->done = true;
    });
    if (!QTest::qWaitFor([&] { return answer->done; }, timeoutMs))
        return QVariant();
    return answer->value;
}

bool WaitForMapPage(HTMLViewer& view, int timeoutMs)
{
    // Script sent while the page still loads slows its loading down: ask seldom.
    QElapsedTimer clock;
    clock.start();
    do {
        if (Evaluate(view, QStringLiteral("!!(window.LumetraMap && LumetraMap.state().channel)")).toBool())
            return true;
        QTest::qWait(100);
    } while (clock.elapsed() < timeoutMs);
    return false;
}

bool RunUntil(const std::function<bool()>& condition, int timeoutMs)
{
    if (condition())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    poll.start(1);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return condition();
}

bool ClickUntilHeard(HTMLViewer& view)
{
    for (int tries = 0; tries < 100; ++tries) {
        if (Evaluate(view, QStringLiteral("!!window.clicked")).toBool())
            return true;
        QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::qWait(50);
    }
    return false;
}

QVariantMap MapState(HTMLViewer& view)
{
    return Evaluate(view, QStringLiteral("LumetraMap.state()")).toMap();
}

QVariantMap SettledState(HTMLViewer& view)
{
    Evaluate(view, QStringLiteral("0"));
    return MapState(view);
}

void SendAlertProbe(HTMLViewer& view, const QString& text)
{
    // "x" is where hostile markup's images point in the tests: their errors come first.
    Evaluate(view, QStringLiteral("(function(){var i=new Image();"
                                  "i.onerror=function(){alert(decodeURIComponent('%1'));};"
                                  "i.src='x'; return 1;})()")
                       .arg(EncodeURLComponent(text)));
}

}  // namespace PageProbe
