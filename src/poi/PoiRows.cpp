#include "poi/PoiRows.h"

#include "platform/CoordinateRule.h"
#include "platform/Listbox.h"
#include "platform/ListboxModel.h"
#include "platform/PictureSource.h"
#include "platform/PoiColumn.h"
#include "platform/TextFunctions.h"
#include "platform/Uuid.h"
#include "poi/PoiDocument.h"

#include <algorithm>
#include <iterator>

namespace {

using enum PoiColumn::Index;

// Characters, not UTF-16 units: a letter outside the basic plane counts once.
bool isLong(QAnyStringView text)
{
    if (text.size() <= PoiRows::kLongDescription)
        return false;
    if (IsLatin1(text))
        return true;
    return WithUtf16(text, [](QStringView utf16) {
        qsizetype count = utf16.size();
        for (const QChar c : utf16) {
            if (c.isLowSurrogate())
                --count;
        }
        return count > PoiRows::kLongDescription;
    });
}

// The phone convention: a number follows the name after the first ">".
enum class Phone { None, Error, Ok };

Phone phoneOf(QAnyStringView text)
{
    const auto classify = [](auto view) {
        const qsizetype p = view.indexOf(u'>');
        return p < 0 ? Phone::None : p == view.size() - 1 ? Phone::Error : Phone::Ok;
    };
    if (IsLatin1(text))
        return classify(QLatin1StringView(static_cast<const char*>(text.data()), text.size()));
    return WithUtf16(text, classify);
}

}  // namespace

PoiRows::PoiRows(PoiDocument& document)
    : d(document)
{
}

void PoiRows::InizializzaTabella(Listbox& list)
{
    list.setColumnCount(PoiColumn::Count);
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

void PoiRows::AggiungiPdiAllaLista(QAnyStringView descrizione, QAnyStringView latitudine,
                                   QAnyStringView longitudine, QAnyStringView mod)
{
    ListboxModel& rows = d.Model();
    // The row is made with all its cells at once; the mark and the check box are bits.
    const int row = isLong(descrizione) ? 0 : d.ListCount();
    NewUuidText(mIdentifier);
    const QAnyStringView cells[] = {descrizione, latitudine, longitudine, mIdentifier, mod};
    rows.insertRow(row, cells, int(std::size(cells)));
    rows.setChecked(row, Description, false);
    rows.setCheckBox(row, Description, true);
    AggiornaIconaTelefono(descrizione, row);
}

void PoiRows::beginReading(int count)
{
    d.Model().reserveRows(0, count);
    mLongRows.clear();
    mPhoneNone = &PictureSource::Picture(QStringLiteral("phone_none"));
    mPhoneError = &PictureSource::Picture(QStringLiteral("phone_error"));
    mPhoneOk = &PictureSource::Picture(QStringLiteral("phone_ok"));
}

void PoiRows::addRead(QAnyStringView description, double latitude, double longitude)
{
    ListboxModel& rows = d.Model();
    const int row = d.ListCount();
    if (isLong(description))
        mLongRows.push_back(row);
    char latitudeRoom[CoordinateRule::FormattedRoom];
    char longitudeRoom[CoordinateRule::FormattedRoom];
    char identifier[36];
    NewUuidText(identifier);
    const QAnyStringView cells[] = {description, CoordinateRule::Formatted(latitude, latitudeRoom),
                                    CoordinateRule::Formatted(longitude, longitudeRoom),
                                    QLatin1StringView(identifier, 36), QLatin1StringView("0")};
    rows.insertRow(row, cells, int(std::size(cells)));
    rows.setCheckBox(row, Description, true);
    const Phone phone = phoneOf(description);
    rows.setPicture(row, phone == Phone::None ? mPhoneNone : phone == Phone::Error ? mPhoneError : mPhoneOk);
}

void PoiRows::finishReading()
{
    // Each long row went to the top in turn: the last one read is the first row.
    std::reverse(mLongRows.begin(), mLongRows.end());
    d.Model().moveToTop(mLongRows);
    std::vector<int>().swap(mLongRows);
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

void PoiRows::AggiornaIconaTelefono(QAnyStringView descrizione, int row)
{
    if (row < 0 || row >= d.ListCount())
        return;
    const Phone phone = phoneOf(descrizione);
    const QPixmap& picture = phone == Phone::None ? PictureSource::Picture(QStringLiteral("phone_none"))
        : phone == Phone::Error                   ? PictureSource::Picture(QStringLiteral("phone_error"))
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
