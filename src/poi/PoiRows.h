#pragma once

#include <QString>

class Applicazione;
class Listbox;

// The POI rows of a document window's list: columns, insertion, deletion, counting, marked-first sorting, phone icons and coordinate text.
class PoiRows {
public:
    explicit PoiRows(Applicazione& window);

    void InizializzaTabella();
    void AggiungiPdiAllaLista(const QString& descrizione, const QString& latitudine, const QString& longitudine, const QString& mod);
    void EliminaPdiDallaLista();
    void EliminaPdiSelezionatoDallaLista();
    void AggiornaNumeroPdiSelezionati();
    void CancellaTuttiPdi();
    void AggiornaIconaTelefono(const QString& descrizione, int row);
    void OrdinaPrimaMarcati(Listbox& list);
    static QString GeoFormatter(double value);

private:
    Applicazione& w;
};
