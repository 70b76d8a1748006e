#include "poi/PoiRows.h"

#include "platform/CoordinateRule.h"
#include "platform/Listbox.h"
#include "platform/ListboxModel.h"
#include "platform/PictureSource.h"
#include "platform/Uuid.h"
#include "poi/PoiDocument.h"

#include <iterator>

namespace {

using enum PoiDocument::Column;

// Characters, not UTF-16 units: a letter outside the basic plane counts once.
qsizetype characterCount(QStringView text)
{
    qsizetype count = text.size();
    for (const QChar c : text) {
        if (c.isLowSurrogate())
            --count;
    }
    return count;
}

}  // namespace

PoiRows::PoiRows(PoiDocument& document)
    : d(document)
{
}

void PoiRows::InizializzaTabella(Listbox& list)
{
    list.setColumnCount(PoiDocument::ColumnCount);
    list.setColumnWidths(QStringLiteral("60%,20%,20%"));
    list.setHasHeading(true);
    list.setHeading(Description, PoiDocument::lkColDescription());
    list.setHeading(Latitude, PoiDocument::lkColLatitude());
    list.setHeading(Longitude, PoiDocument::lkColLongitude());
    list.setHeading(Id, QStringLiteral("Id"));
    list.setHeading(Mod, QStringLiteral("Mod"));
    list.setHeading(Check, QStringLiteral("Check"));
    list.setColumnAlignment(Latitude, Listbox::AlignDecimal);
    list.setColumnAlignment(Longitude, Listbox::AlignDecimal);
}

void PoiRows::AggiungiPdiAllaLista(QStringView descrizione, QStringView latitudine, QStringView longitudine,
                                   QStringView mod)
{
    ListboxModel& rows = d.Model();
    // The row is made with all its cells at once; the mark and the check box are bits.
    const int row = descrizione.size() > kLongDescription && characterCount(descrizione) > kLongDescription
        ? 0
        : d.ListCount();
    NewUuidText(mIdentifier);
    const QStringView cells[] = {descrizione, latitudine, longitudine, mIdentifier, mod};
    rows.insertRow(row, cells, int(std::size(cells)));
    rows.setChecked(row, Description, false);
    rows.setCheckBox(row, Description, true);
    AggiornaIconaTelefono(descrizione, row);
}

void PoiRows::EliminaPdiDallaLista()
{
    ListboxModel& rows = d.Model();
    // One batch for the list and one for the page: removing many of a long list's rows
    // then costs a single pass over the rows and a single message.
    rows.beginBatch();
    emit d.removingMarkers();
    for (int row = d.ListCount() - 1; row >= 0; --row) {
        if (!d.CellCheck(row, Description))
            continue;
        emit d.markerRemoved(d.Cell(row, Id));
        rows.removeRow(row);
    }
    emit d.markersRemoved();
    rows.endBatch();
}

void PoiRows::EliminaPdiSelezionatoDallaLista(int row)
{
    if (row < 0 || row >= d.ListCount())
        return;
    emit d.markerRemoved(d.Cell(row, Id));
    d.Model().removeRow(row);
    AggiornaNumeroPdiSelezionati();
    d.setModificato(true);
}

void PoiRows::AggiornaNumeroPdiSelezionati()
{
    emit d.markedCountChanged();
}

void PoiRows::CancellaTuttiPdi()
{
    emit d.clearing();
    d.Model().clear();
    AggiornaNumeroPdiSelezionati();
}

void PoiRows::AggiornaIconaTelefono(QStringView descrizione, int row)
{
    if (row < 0 || row >= d.ListCount())
        return;
    // The phone convention: a number follows the name after the first ">".
    const qsizetype p = descrizione.indexOf(u'>');
    const QPixmap& picture = p < 0    ? PictureSource::Picture(QStringLiteral("phone_none"))
        : p == descrizione.size() - 1 ? PictureSource::Picture(QStringLiteral("phone_error"))
                                      : PictureSource::Picture(QStringLiteral("phone_ok"));
    d.Model().setPicture(row, &picture);
}

void PoiRows::OrdinaPrimaMarcati(Listbox& list)
{
    const QString one = QStringLiteral("1");
    const QString zero = QStringLiteral("0");
    list.BeginUpdate();
    for (int row = 0; row < list.ListCount(); ++row)
        list.setCell(row, Check, list.CellCheck(row, Description) ? one : zero);
    list.EndUpdate();
    list.setSortedColumn(Check);
    list.setColumnSortDirection(Check, -1);
    list.Sort();
}

QString PoiRows::GeoFormatter(double value)
{
    return CoordinateRule::Formatted(value);
}

void PoiRows::GeoFormatter(double value, QString& text)
{
    CoordinateRule::Formatted(value, text);
}
