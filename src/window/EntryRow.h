#pragma once

#include <QObject>
#include <QString>

class Applicazione;

// The entry row for a new POI (description, latitude, longitude) with its search and
// radius buttons, and the buttons under it that mark, delete and show the rows.
class EntryRow {
public:
    // Installs the handlers on the window's entry fields and buttons.
    explicit EntryRow(Applicazione& window);

    // Adds the POI typed in the three fields; a field at fault gets the focus instead.
    void AggiungiPdiManuale();
    // The characters left before the description is too long for a navigator.
    void MostraLunghezzaTitolo();

    bool EditFieldNome_KeyDown(const QString& key);
    void EditFieldNome_GotFocus();
    void EditFieldNome_TextChange();
    bool EditFieldLatitudine_KeyDown(const QString& key);
    void EditFieldLatitudine_GotFocus();
    bool EditFieldLongitudine_KeyDown(const QString& key);
    void EditFieldLongitudine_GotFocus();

    void buttonAggiungi_Action();
    void buttonCercaIndirizzo_Action();
    void buttonMostraDpiVicino_Action();
    void ButtonNessuno_Action();
    void ButtonTutti_Action();
    void ButtonElimina_Action();
    void buttonMostraDpiMappa_Action();
    void buttonRicaricaMappa_Action();
    void ButtonTutti1_Action();

private:
    enum class Mark { All, None, Invert };
    void markRows(Mark how);
    bool returnKey(const QString& key);

    Applicazione& w;
    // The context of every handler this binds: declared last, so it goes first and no
    // handler outlives this object.
    QObject mGuard;
};
