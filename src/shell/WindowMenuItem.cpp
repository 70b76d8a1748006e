#include "shell/WindowMenuItem.h"

WindowMenuItem::WindowMenuItem()
{
    // The entry is a file's name: an "&" in it is a character, not an access key.
    setLiteralText(true);
}

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
        // Minimized, the window would stay in the taskbar; maximized, it stays so.
        mWnd->setWindowState(mWnd->windowState() & ~Qt::WindowMinimized);
        mWnd->show();
        mWnd->raise();
        mWnd->activateWindow();
    }
    return false;
}
