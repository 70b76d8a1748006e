#pragma once

#include "platform/MenuItem.h"

// The program's one menu bar: File, Edit and Window, shared by the application and every
// document window. Everyone finds menus and items by name.
class MenuBar1 final : public MenuItem {
    Q_OBJECT
public:
    // The shared instance, built on the first call.
    static MenuBar1& Instance();
    // Releases the shared instance at shutdown.
    static void Release();

private:
    MenuBar1();
    void Untitled0();
    void Untitled1();
    void Untitled2();
    void addMenu(const QString& name, const QString& text);
    void addItem(const QString& menu, const QString& name, const QString& text, const char* shortcut,
                 Kind kind = Kind::Plain);
};
