#pragma once

#include "platform/MenuItem.h"

#include <QPointer>
#include <QWidget>

// One entry of the Window menu, standing for one open document window.
class WindowMenuItem final : public MenuItem {
    Q_OBJECT
public:
    WindowMenuItem();

    void Constructor(QWidget* w);
    bool IsWindow(const QWidget* w) const;
    QWidget* window() const { return mWnd; }

    // Brings the window to the front, restored when it was minimized.
    bool Action() override;

private:
    QPointer<QWidget> mWnd;
};
