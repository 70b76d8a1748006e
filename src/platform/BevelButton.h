#pragma once

#include "platform/Event.h"

#include <QPushButton>

// A push button with an icon that never takes the keyboard focus.
class BevelButton final : public QPushButton {
    Q_OBJECT
public:
    explicit BevelButton(QWidget* parent = nullptr);

    Event<void()> Action;
};
