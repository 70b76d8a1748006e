#include "shell/WindowMenuItem.h"

void WindowMenuItem::Constructor(QWidget* w)
{
    mWnd = w;
}

bool WindowMenuItem::IsWindow(const QWidget* w) const
{
    return mWnd && mWnd == w;
}

bool WindowMenuItem::Action()
{
    if (mWnd) {
        mWnd->show();
        mWnd->raise();
        mWnd->activateWindow();
    }
    return false;
}
