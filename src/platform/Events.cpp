#include "platform/Events.h"

#include <QApplication>
#include <QElapsedTimer>

namespace Events {

namespace {
int gNesting = 0;
}

void DoEvents()
{
    NestedLoop nested;
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

NestedLoop::NestedLoop()
{
    ++gNesting;
}

NestedLoop::~NestedLoop()
{
    --gNesting;
}

bool IsNested()
{
    return gNesting > 0;
}

}  // namespace Events
