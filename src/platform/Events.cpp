#include "platform/Events.h"

#include <QApplication>
#include <QElapsedTimer>

namespace Events {

void DoEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

int32_t Ticks()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<int32_t>(clock.elapsed() * 60 / 1000);
}

int32_t DoubleClickTicks()
{
    return static_cast<int32_t>(QApplication::doubleClickInterval() * 60 / 1000);
}

}  // namespace Events
