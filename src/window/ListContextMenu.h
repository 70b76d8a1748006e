#pragma once

#include <QString>

class Applicazione;

// The contextual menu of the POI list.
class ListContextMenu {
public:
    explicit ListContextMenu(Applicazione& window);

private:
    Applicazione& w;
};
