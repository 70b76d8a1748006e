#include "platform/DeferredRelease.h"

#include "platform/Events.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace DeferredRelease {

namespace {

// How often a release waits for the nested work to end; nothing is freed meanwhile.
constexpr int kRetryMilliseconds = 50;

std::vector<QPointer<QObject>>& pending()
{
    static std::vector<QPointer<QObject>> objects;
    return objects;
}

// The program's loop runs at level 1; Qt's own modal loops run above it.
bool atBase()
{
    return !Events::IsNested() && QThread::currentThread()->loopLevel() <= 1;
}

void releaseWhenAtBase();

bool isPending(const QObject* object)
{
    const auto& objects = pending();
    return std::any_of(objects.begin(), objects.end(), [object](const QPointer<QObject>& p) { return p == object; });
}

QTimer& timer()
{
    static QPointer<QTimer> shared;
    if (!shared) {
        shared = new QTimer(QCoreApplication::instance());
        shared->setSingleShot(true);
        QObject::connect(shared, &QTimer::timeout, shared, &releaseWhenAtBase);
    }
    return *shared;
}

void releaseWhenAtBase()
{
    if (!atBase()) {
        timer().start(kRetryMilliseconds);
        return;
    }
    ReleaseAll();
}

}  // namespace

void Release(QObject* object)
{
    if (!object || isPending(object))
        return;
    pending().emplace_back(object);
    // Even at the base, the caller is still on the stack: the timer runs once it returned.
    if (!timer().isActive())
        timer().start(0);
}

void ReleaseAll()
{
    // Freeing an object may release others; they are freed in the same pass.
    while (!pending().empty()) {
        std::vector<QPointer<QObject>> objects;
        objects.swap(pending());
        for (const QPointer<QObject>& object : objects)
            delete object.data();
    }
}

}  // namespace DeferredRelease
