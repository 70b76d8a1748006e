#include "platform/EventPacer.h"

#include "platform/Events.h"

#include <QCoreApplication>

namespace {
constexpr qint64 kPollNanoseconds = 1'000'000;
}

void EventPacer::DoEvents()
{
    if (mPolled.isValid() && mPolled.nsecsElapsed() < kPollNanoseconds) {
        Events::NestedLoop nested;
        QCoreApplication::sendPostedEvents();
        return;
    }
    Events::DoEvents();
    mPolled.start();
}
