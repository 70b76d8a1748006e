#include "platform/Toolbar.h"

Toolbar::Toolbar(QWidget* parent)
    : QToolBar(parent)
{
    connect(this, &QToolBar::actionTriggered, this, [this](QAction* item) { Action(item); });
}
