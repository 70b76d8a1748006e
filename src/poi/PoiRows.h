#pragma once

#include <QString>
#include <QStringView>

class Listbox;
class PoiDocument;

// The POI rows of a document: insertion, deletion, counting, phone icons and coordinate
// text; and the columns and marked-first sorting of a list that shows them.
class PoiRows {
public:
    explicit PoiRows(PoiDocument& document);

    // A description longer than this many characters goes to the top of the list.
    static constexpr int kLongDescription = 57;

    static void InizializzaTabella(Listbox& list);
    void AggiungiPdiAllaLista(QStringView descrizione, QStringView latitudine, QStringView longitudine, QStringView mod);
    // Removes the marked rows.
    void EliminaPdiDallaLista();
    // Removes the row (the list's selected one); nothing for -1.
    void EliminaPdiSelezionatoDallaLista(int row);
    void AggiornaNumeroPdiSelezionati();
    void CancellaTuttiPdi();
    void AggiornaIconaTelefono(QStringView descrizione, int row);
    static void OrdinaPrimaMarcati(Listbox& list);
    static QString GeoFormatter(double value);
    // The same into `text`, whose room is reused.
    static void GeoFormatter(double value, QString& text);

private:
    PoiDocument& d;
    // The new row's identifier, made in the same room for every row added.
    QString mIdentifier;
};
