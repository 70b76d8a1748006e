#pragma once

#include <QString>

class Applicazione;

// The window's toolbar commands and the menu commands it handles.
class WindowCommands {
public:
    explicit WindowCommands(Applicazione& window);

private:
    Applicazione& w;
};
