#include "platform/BevelButton.h"

BevelButton::BevelButton(QWidget* parent)
    : QPushButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QPushButton::clicked, this, [this] { Action(); });
}
