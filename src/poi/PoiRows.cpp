#include "poi/PoiRows.h"

#include "map/MapBridge.h"
#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "platform/PictureSource.h"
#include "platform/Uuid.h"
#include "window/Applicazione.h"

#include <QLabel>

#include <charconv>
#include <cmath>

namespace {

enum Column { Description = 0, Latitude = 1, Longitude = 2, Id = 3, Mod = 4, Check = 5 };

constexpr int kLongDescription = 57;

// Characters, not UTF-16 units: a letter outside the basic plane counts once.
qsizetype characterCount(const QString& text)
{
    qsizetype count = text.size();
    for (const QChar c : text) {
        if (c.isLowSurrogate())
            --count;
    }
    return count;
}

}  // namespace

PoiRows::PoiRows(Applicazione& window)
    : w(window)
{
}

void PoiRows::InizializzaTabella()
{
    Listbox& list = *w.ListBox1;
    list.setColumnCount(6);
    list.setColumnWidths(QStringLiteral("60%,20%,20%"));
    list.setHasHeading(true);
    list.setHeading(Description, Applicazione::lkColDescription());
    list.setHeading(Latitude, Applicazione::lkColLatitude());
    list.setHeading(Longitude, Applicazione::lkColLongitude());
    list.setHeading(Id, QStringLiteral("Id"));
    list.setHeading(Mod, QStringLiteral("Mod"));
    list.setHeading(Check, QStringLiteral("Check"));
    list.setColumnAlignment(Latitude, Listbox::AlignDecimal);
    list.setColumnAlignment(Longitude, Listbox::AlignDecimal);
}

void PoiRows::AggiungiPdiAllaLista(const QString& descrizione, const QString& latitudine, const QString& longitudine,
                                   const QString& mod)
{
    Listbox& list = *w.ListBox1;
    int row = 0;
    if (descrizione.size() > kLongDescription && characterCount(descrizione) > kLongDescription) {
        list.InsertRow(0, descrizione, 0);
    } else {
        list.AddRow(descrizione);
        row = list.LastIndex();
    }
    list.setCell(row, Latitude, latitudine);
    list.setCell(row, Longitude, longitudine);
    list.setCellCheck(row, Description, false);
    list.setCellType(row, Description, Listbox::TypeCheckbox);
    list.setCell(row, Id, NewUuidText());
    list.setCell(row, Mod, mod);
    AggiornaIconaTelefono(descrizione, row);
}

void PoiRows::EliminaPdiDallaLista()
{
    Listbox& list = *w.ListBox1;
    // One batch for the list and one for the page: removing many of a long list's rows
    // then costs a single pass over the rows and a single script.
    list.BeginUpdate();
    w.web1->BeginScriptBatch();
    for (int row = list.ListCount() - 1; row >= 0; --row) {
        if (!list.CellCheck(row, Description))
            continue;
        w.Map().EliminaPdi(list.Cell(row, Id));
        list.RemoveRow(row);
    }
    w.web1->EndScriptBatch();
    list.EndUpdate();
}

void PoiRows::EliminaPdiSelezionatoDallaLista()
{
    Listbox& list = *w.ListBox1;
    const int row = list.ListIndex();
    if (row < 0)
        return;
    w.Map().EliminaPdi(list.Cell(row, Id));
    list.RemoveRow(row);
    AggiornaNumeroPdiSelezionati();
    w.Modificato = true;
    w.AggiornaTitolo();
}

void PoiRows::AggiornaNumeroPdiSelezionati()
{
    Listbox& list = *w.ListBox1;
    int marked = 0;
    for (int row = 0; row < list.ListCount(); ++row) {
        if (list.CellCheck(row, Description))
            ++marked;
    }
    w.LabelSelezionati->setText(Applicazione::lkMarked() + QStringLiteral(":  ") + QString::number(marked) +
                                QStringLiteral(" / ") + QString::number(list.ListCount()));
}

void PoiRows::CancellaTuttiPdi()
{
    Listbox& list = *w.ListBox1;
    list.setScrollPosition(0);
    list.DeleteAllRows();
    AggiornaNumeroPdiSelezionati();
}

void PoiRows::AggiornaIconaTelefono(const QString& descrizione, int row)
{
    // The phone convention: a number follows the name after the first ">".
    const qsizetype p = descrizione.indexOf(u'>');
    const QPixmap& picture = p < 0    ? PictureSource::Picture(QStringLiteral("phone_none"))
        : p == descrizione.size() - 1 ? PictureSource::Picture(QStringLiteral("phone_error"))
                                      : PictureSource::Picture(QStringLiteral("phone_ok"));
    w.ListBox1->setRowPicture(row, &picture);
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
    if (!std::isfinite(value))
        return QStringLiteral("0");
    // Six decimals at most, then the shortest text: no trailing zeros, no bare point,
    // and "." whatever the user's locale.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    char* end = result.ptr;
    while (end[-1] == '0')
        --end;
    if (end[-1] == '.')
        --end;
    const char* begin = buffer;
    // A value that rounds to zero is written without a sign.
    if (end - begin == 2 && begin[0] == '-' && begin[1] == '0')
        ++begin;
    return QString::fromLatin1(begin, end - begin);
}
