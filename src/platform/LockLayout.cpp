#include "platform/LockLayout.h"

#include <QEvent>
#include <QLabel>
#include <QStyle>
#include <QWidget>

namespace {

// A label never clips its text: where its design rectangle is too small for its font, it
// grows away from the side its text keeps to, and in height about its middle.
QRect fitted(const QWidget* control, QRect r)
{
    const auto* label = qobject_cast<const QLabel*>(control);
    if (!label || label->wordWrap())
        return r;
    const QSize need = label->sizeHint();
    const int wider = need.width() - r.width();
    if (wider > 0) {
        const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
        if (align & Qt::AlignRight)
            r.setLeft(r.left() - wider);
        else if (align & Qt::AlignHCenter)
            r.adjust(-wider / 2, 0, wider - wider / 2, 0);
        else
            r.setRight(r.right() + wider);
    }
    const int taller = need.height() - r.height();
    if (taller > 0)
        r.adjust(0, -taller / 2, 0, taller - taller / 2);
    return r;
}

}  // namespace

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
    // A label's new text asks its container for a layout: it may need more room.
    if (watched == mContainer && (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest))
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
        e.control->setGeometry(fitted(e.control, r));
    }
}
