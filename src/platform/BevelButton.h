#pragma once

#include <QPushButton>

#include <functional>

// A push button with an icon that never takes the keyboard focus.
class BevelButton final : public QPushButton {
    Q_OBJECT
public:
    explicit BevelButton(QWidget* parent = nullptr);

    std::function<void()> Action;
};
