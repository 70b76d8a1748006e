#include "platform/InputBlock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QCursor>
#include <QGuiApplication>

InputBlock::InputBlock()
{
    QCoreApplication::instance()->installEventFilter(this);
    QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
}

InputBlock::~InputBlock()
{
    QGuiApplication::restoreOverrideCursor();
}

bool InputBlock::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::InputMethod:
        return true;
    case QEvent::Close:
        // The window that waits must still be there when the wait ends.
        return event->spontaneous();
    default:
        return false;
    }
}
