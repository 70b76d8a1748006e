#pragma once

#include <QString>

class Applicazione;

// The entry row for a new POI and the buttons under it.
class EntryRow {
public:
    explicit EntryRow(Applicazione& window);

    void AggiungiPdiManuale();
    void MostraLunghezzaTitolo();

private:
    Applicazione& w;
};
