#include "window/WindowCommands.h"

#include "window/Applicazione.h"

WindowCommands::WindowCommands(Applicazione& window)
    : w(window)
{
}
