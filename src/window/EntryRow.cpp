#include "window/EntryRow.h"

#include "map/MapBridge.h"
#include "platform/BevelButton.h"
#include "platform/CoordinateRule.h"
#include "platform/EditField.h"
#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "platform/PoiColumn.h"
#include "platform/TextFunctions.h"
#include "window/Applicazione.h"

#include <QLabel>

#include <optional>

namespace {

// A navigator shows this many characters of a description.
constexpr int kDescriptionLimit = 57;
// Radius of the search around the typed position.
constexpr double kRadius = 15.0;

// A typed coordinate under the one rule of every coordinate cell; nothing when refused.
std::optional<QString> coordinateText(const EditField& field, CoordinateRule::Axis axis)
{
    return CoordinateRule::Accepted(field.Text(), axis);
}

void setLabelColor(QLabel& label, const QColor& color)
{
    QPalette p = label.palette();
    p.setColor(QPalette::WindowText, color);
    label.setPalette(p);
}

}  // namespace

EntryRow::EntryRow(Applicazione& window)
    : w(window)
{
    w.EditFieldNome()->KeyDown.connect(&mGuard, [this](const QString& key) { return EditFieldNome_KeyDown(key); });
    w.EditFieldNome()->GotFocus.connect(&mGuard, [this] { EditFieldNome_GotFocus(); });
    w.EditFieldNome()->TextChange.connect(&mGuard, [this] { EditFieldNome_TextChange(); });
    w.EditFieldLatitudine()->KeyDown.connect(
        &mGuard, [this](const QString& key) { return EditFieldLatitudine_KeyDown(key); });
    w.EditFieldLatitudine()->GotFocus.connect(&mGuard, [this] { EditFieldLatitudine_GotFocus(); });
    w.EditFieldLongitudine()->KeyDown.connect(
        &mGuard, [this](const QString& key) { return EditFieldLongitudine_KeyDown(key); });
    w.EditFieldLongitudine()->GotFocus.connect(&mGuard, [this] { EditFieldLongitudine_GotFocus(); });

    w.buttonAggiungi()->Action.connect(&mGuard, [this] { buttonAggiungi_Action(); });
    w.buttonCercaIndirizzo()->Action.connect(&mGuard, [this] { buttonCercaIndirizzo_Action(); });
    w.buttonMostraDpiVicino()->Action.connect(&mGuard, [this] { buttonMostraDpiVicino_Action(); });
    w.ButtonNessuno()->Action.connect(&mGuard, [this] { ButtonNessuno_Action(); });
    w.ButtonTutti()->Action.connect(&mGuard, [this] { ButtonTutti_Action(); });
    w.ButtonElimina()->Action.connect(&mGuard, [this] { ButtonElimina_Action(); });
    w.buttonMostraDpiMappa()->Action.connect(&mGuard, [this] { buttonMostraDpiMappa_Action(); });
    w.buttonRicaricaMappa()->Action.connect(&mGuard, [this] { buttonRicaricaMappa_Action(); });
    w.ButtonTutti1()->Action.connect(&mGuard, [this] { ButtonTutti1_Action(); });
}

void EntryRow::AggiungiPdiManuale()
{
    w.ListBox1()->CommitEdit();
    const QString descrizione = SingleLine(w.EditFieldNome()->Text()).trimmed();
    const std::optional<QString> latitudine = coordinateText(*w.EditFieldLatitudine(), CoordinateRule::Axis::Latitude);
    const std::optional<QString> longitudine =
        coordinateText(*w.EditFieldLongitudine(), CoordinateRule::Axis::Longitude);
    if (descrizione.isEmpty()) {
        w.EditFieldNome()->SetFocus();
        return;
    }
    if (!latitudine) {
        w.EditFieldLatitudine()->SetFocus();
        return;
    }
    if (!longitudine) {
        w.EditFieldLongitudine()->SetFocus();
        return;
    }
    w.AggiungiPdiAllaLista(descrizione, *latitudine, *longitudine, QStringLiteral("1"));
    w.AggiornaNumeroPdiSelezionati();
    w.EditFieldNome()->setText(QString());
    w.EditFieldLatitudine()->setText(QString());
    w.EditFieldLongitudine()->setText(QString());
    w.Map().EliminaPdiRicerca();
    w.setModificato(true);
}

void EntryRow::MostraLunghezzaTitolo()
{
    // Characters, not UTF-16 units: a letter outside the basic plane counts once.
    const int left = kDescriptionLimit - int(w.EditFieldNome()->Text().toUcs4().size());
    w.LabelCharLeft()->setText(QStringLiteral("(%1)").arg(left));
    const QColor color = left < 0 ? QColor(255, 0, 0) : QColor(0, 0, 0);
    setLabelColor(*w.LabelCharLeft(), color);
    w.EditFieldNome()->setTextColor(color);
}

bool EntryRow::returnKey(const QString& key)
{
    if (key == QStringLiteral("\r"))
        AggiungiPdiManuale();
    return false;
}

bool EntryRow::EditFieldNome_KeyDown(const QString& key)
{
    return returnKey(key);
}

void EntryRow::EditFieldNome_GotFocus()
{
    w.EditFieldNome()->SelectAll();
}

void EntryRow::EditFieldNome_TextChange()
{
    MostraLunghezzaTitolo();
}

bool EntryRow::EditFieldLatitudine_KeyDown(const QString& key)
{
    return returnKey(key);
}

void EntryRow::EditFieldLatitudine_GotFocus()
{
    w.EditFieldLatitudine()->SelectAll();
}

bool EntryRow::EditFieldLongitudine_KeyDown(const QString& key)
{
    return returnKey(key);
}

void EntryRow::EditFieldLongitudine_GotFocus()
{
    w.EditFieldLongitudine()->SelectAll();
}

void EntryRow::buttonAggiungi_Action()
{
    AggiungiPdiManuale();
}

void EntryRow::buttonCercaIndirizzo_Action()
{
    const QString text = w.EditFieldNome()->Text();
    if (!text.trimmed().isEmpty()) {
        QString number = text;
        number.remove(u' ');
        number.remove(u'-');
        number.remove(QStringLiteral("+39"));
        if (IsNumeric(number))
            w.CercaNumeroTelefono(number);
        else
            w.Map().CercaIndirizzo(text);
    }
    w.EditFieldNome()->SetFocus();
}

void EntryRow::buttonMostraDpiVicino_Action()
{
    w.ListBox1()->CommitEdit();
    const std::optional<QString> latitudine = coordinateText(*w.EditFieldLatitudine(), CoordinateRule::Axis::Latitude);
    const std::optional<QString> longitudine =
        coordinateText(*w.EditFieldLongitudine(), CoordinateRule::Axis::Longitude);
    if (!latitudine) {
        w.EditFieldLatitudine()->SetFocus();
        return;
    }
    if (!longitudine) {
        w.EditFieldLongitudine()->SetFocus();
        return;
    }
    w.MostraPdiNelRaggio(Val(*latitudine), Val(*longitudine), kRadius);
}

void EntryRow::markRows(Mark how)
{
    Listbox& list = *w.ListBox1();
    list.CommitEdit();
    list.BeginUpdate();
    for (int row = 0; row < list.ListCount(); ++row) {
        const bool marked = how == Mark::All || (how == Mark::Invert && !list.CellCheck(row, PoiColumn::Description));
        list.setCellCheck(row, PoiColumn::Description, marked);
    }
    list.EndUpdate();
    w.AggiornaNumeroPdiSelezionati();
}

void EntryRow::ButtonNessuno_Action()
{
    markRows(Mark::None);
}

void EntryRow::ButtonTutti_Action()
{
    markRows(Mark::All);
}

void EntryRow::ButtonElimina_Action()
{
    w.ListBox1()->CommitEdit();
    if (w.ListBox1()->ListCount() == 0)
        return;
    w.EliminaPdiDallaLista();
    w.AggiornaNumeroPdiSelezionati();
    w.setModificato(true);
}

void EntryRow::buttonMostraDpiMappa_Action()
{
    w.ListBox1()->CommitEdit();
    w.CaricaPdiMappa();
}

void EntryRow::buttonRicaricaMappa_Action()
{
    w.web1()->Cancel();
    w.InizializzaMappa();
}

void EntryRow::ButtonTutti1_Action()
{
    markRows(Mark::Invert);
}
