#include "platform/LockLayout.h"

#include <QEvent>
#include <QWidget>

LockLayout::LockLayout(QWidget* container, QSize designSize)
    : QObject(container), mContainer(container), mDesign(designSize)
{
    container->installEventFilter(this);
}

void LockLayout::add(QWidget* control, QRect design, int locks)
{
    mEntries.push_back({control, design, locks});
    apply();
}

bool LockLayout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mContainer && event->type() == QEvent::Resize)
        apply();
    return false;
}

void LockLayout::apply()
{
    const int dw = mContainer->width() - mDesign.width();
    const int dh = mContainer->height() - mDesign.height();
    for (const Entry& e : mEntries) {
        QRect r = e.design;
        // Locked to both edges: stretch; to the far edge only: follow it.
        if ((e.locks & Left) && (e.locks & Right))
            r.setWidth(r.width() + dw);
        else if (e.locks & Right)
            r.moveLeft(r.left() + dw);
        if ((e.locks & Top) && (e.locks & Bottom))
            r.setHeight(r.height() + dh);
        else if (e.locks & Bottom)
            r.moveTop(r.top() + dh);
        e.control->setGeometry(r);
    }
}
