#pragma once

#include "platform/MenuItem.h"

// The program's one menu bar: File, Edit and Window. The application object owns it and
// shares it with every document window. Everyone finds menus and items by name.
class MenuBar1 final : public MenuItem {
    Q_OBJECT
public:
    // Builds the menus in the current language.
    MenuBar1();

private:
    void Untitled0();
    void Untitled1();
    void Untitled2();
    void addMenu(const QString& name, const QString& text);
    void addItem(const QString& menu, const QString& name, const QString& text, const char* shortcut,
                 Kind kind = Kind::Plain);
};
