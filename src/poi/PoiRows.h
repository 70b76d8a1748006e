#pragma once

#include <QAnyStringView>
#include <QString>

#include <vector>

class Listbox;
class PoiDocument;
class QPixmap;

// The POI rows of a document: insertion, deletion, counting, phone icons and coordinate
// text; and the columns and marked-first sorting of a list that shows them.
class PoiRows {
public:
    explicit PoiRows(PoiDocument& document);

    // A description longer than this many characters goes to the top of the list.
    static constexpr int kLongDescription = 57;

    static void InizializzaTabella(Listbox& list);
    void AggiungiPdiAllaLista(QAnyStringView descrizione, QAnyStringView latitudine, QAnyStringView longitudine,
                              QAnyStringView mod);
    // Many POIs read from a file, each with the row AggiungiPdiAllaLista makes of it and the
    // modified mark "0", in the same order: the rows are appended as they come and the long
    // ones moved to the top by finishReading. Inside a batch of the list's model.
    void beginReading(int count);
    void addRead(QAnyStringView description, double latitude, double longitude);
    void finishReading();
    // Removes the marked rows.
    void EliminaPdiDallaLista();
    // Removes the row (the list's selected one); nothing for -1.
    void EliminaPdiSelezionatoDallaLista(int row);
    void AggiornaNumeroPdiSelezionati();
    void CancellaTuttiPdi();
    void AggiornaIconaTelefono(QAnyStringView descrizione, int row);
    static void OrdinaPrimaMarcati(Listbox& list);

private:
    PoiDocument& d;
    // The new row's identifier, made in the same room for every row added.
    QString mIdentifier;
    // While reading: the rows to move to the top, and the phone icons looked up once.
    std::vector<int> mLongRows;
    const QPixmap* mPhoneNone = nullptr;
    const QPixmap* mPhoneError = nullptr;
    const QPixmap* mPhoneOk = nullptr;
};
