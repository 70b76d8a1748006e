#include "platform/InputBlock.h"

#include <QApplication>
#include <QEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QWindow>

InputBlock::InputBlock()
    : mModal(QApplication::activeModalWidget())
{
    QCoreApplication::instance()->installEventFilter(this);
    QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
}

InputBlock::~InputBlock()
{
    QCoreApplication::instance()->removeEventFilter(this);
    QGuiApplication::restoreOverrideCursor();
}

bool InputBlock::ForNewModalWindow(QObject* watched) const
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == mModal)
        return false;
    if (auto* widget = qobject_cast<QWidget*>(watched))
        return widget->window() == modal;
    if (auto* window = qobject_cast<QWindow*>(watched))
        return window == modal->windowHandle();
    return false;
}

bool InputBlock::eventFilter(QObject* watched, QEvent* event)
{
    if (event->spontaneous() && ForNewModalWindow(watched))
        return false;
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
    default:
        return false;
    }
}
