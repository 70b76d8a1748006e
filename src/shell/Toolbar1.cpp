#include "shell/Toolbar1.h"

Toolbar1::Toolbar1(QWidget* parent)
    : QToolBar(parent)
{
}
