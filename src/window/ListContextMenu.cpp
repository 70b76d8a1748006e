#include "window/ListContextMenu.h"

#include "window/Applicazione.h"

ListContextMenu::ListContextMenu(Applicazione& window)
    : w(window)
{
}
