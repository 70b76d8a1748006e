#pragma once

#include <QToolBar>

#include <functional>

// The document window's toolbar.
class Toolbar1 final : public QToolBar {
    Q_OBJECT
public:
    explicit Toolbar1(QWidget* parent = nullptr);

    // Raised with the clicked item; its objectName is the item's name.
    std::function<void(QAction* item)> Action;
};
