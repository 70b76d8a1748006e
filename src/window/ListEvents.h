#pragma once

#include <QString>

class Applicazione;

// The window's handlers of its POI list's events.
class ListEvents {
public:
    explicit ListEvents(Applicazione& window);

private:
    Applicazione& w;
};
