#include "window/ListEvents.h"

#include "map/MapBridge.h"
#include "platform/CoordinateRule.h"
#include "platform/Listbox.h"
#include "platform/PoiColumn.h"
#include "platform/TextFunctions.h"
#include "window/Applicazione.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QTimer>

#include <optional>

namespace {

// The visible columns are the only ones a user may edit.
constexpr int kLastVisible = PoiColumn::Longitude;
// Descriptions longer than this are painted red, whatever their modified mark.
constexpr int kLongDescription = 57;

// Characters, not UTF-16 units: a pair of surrogates counts once.
bool longerThan(QAnyStringView any, int characters)
{
    if (any.size() <= characters)
        return false;
    if (IsLatin1(any))
        return true;
    const QString converted = IsUtf16(any) ? QString() : any.toString();
    const QStringView text = IsUtf16(any) ? QStringView(static_cast<const char16_t*>(any.data()), any.size())
                                           : QStringView(converted);
    qsizetype count = text.size();
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i].isLowSurrogate() && text[i - 1].isHighSurrogate())
            --count;
    }
    return count > characters;
}

}  // namespace

ListEvents::ListEvents(Applicazione& window)
    : w(window)
{
    Listbox* list = w.ListBox1();
    list->CellClick.connect(
        &mGuard, [this](int row, int column, int x, int y) { return ListBox1_CellClick(row, column, x, y); });
    list->DoubleClick.connect(&mGuard, [this] { ListBox1_DoubleClick(); });
    list->CellAction.connect(&mGuard, [this](int row, int column) { ListBox1_CellAction(row, column); });
    list->Change.connect(&mGuard, [this] { ListBox1_Change(); });
    list->CellTextPaint.connect(&mGuard, [this](int row, int column) { return ListBox1_CellTextPaint(row, column); });
    list->CellKeyDown.connect(
        &mGuard, [this](int row, int column, const QString& key) { return ListBox1_CellKeyDown(row, column, key); });
    list->KeyDown.connect(&mGuard, [this](const QString& key) { return ListBox1_KeyDown(key); });
    list->CellBackgroundPaint.connect(
        &mGuard, [this](int row, int column) { return ListBox1_CellBackgroundPaint(row, column); });
    list->CellTextChange.connect(&mGuard, [this](int row, int column) { ListBox1_CellTextChange(row, column); });
    list->CompareRows.connect(&mGuard, [this](int row1, int row2, int column, int& result) {
        return ListBox1_CompareRows(row1, row2, column, result);
    });
    list->HeadingSorted.connect(&mGuard, [this](int column) { ListBox1_HeadingSorted(column); });
    list->RowsReordered.connect(&mGuard, [this] { ListBox1_RowsReordered(); });

    const QAbstractItemModel* rows = list->view()->model();
    const auto drop = [this] { DropSortKeys(); };
    QObject::connect(rows, &QAbstractItemModel::dataChanged, &mGuard, drop);
    QObject::connect(rows, &QAbstractItemModel::rowsInserted, &mGuard, drop);
    QObject::connect(rows, &QAbstractItemModel::rowsRemoved, &mGuard, drop);
    QObject::connect(rows, &QAbstractItemModel::rowsMoved, &mGuard, drop);
    QObject::connect(rows, &QAbstractItemModel::modelAboutToBeReset, &mGuard, drop);
    QObject::connect(rows, &QAbstractItemModel::layoutChanged, &mGuard, drop);
}

bool ListEvents::ListBox1_CellClick(int row, int column, int, int)
{
    w.setRigaSelezionata(row);
    if (column >= 0 && column <= kLastVisible)
        w.setColonnaSelezionata(column);
    return false;
}

void ListEvents::ListBox1_DoubleClick()
{
    EditRememberedCell();
}

bool ListEvents::ListBox1_KeyDown(const QString& key)
{
    if (!key.isEmpty() && key.at(0).unicode() == 13)
        EditRememberedCell();
    return false;
}

bool ListEvents::ListBox1_CellKeyDown(int, int, const QString&)
{
    return false;
}

void ListEvents::ListBox1_CellTextChange(int row, int)
{
    w.ListBox1()->setCell(row, PoiColumn::Mod, QStringLiteral("1"));
}

void ListEvents::ListBox1_CellAction(int row, int column)
{
    Listbox* list = w.ListBox1();
    w.AggiornaNumeroPdiSelezionati();
    w.setModificato(true);

    const bool edited = EditEnded(row, column);
    if (column == PoiColumn::Latitude || column == PoiColumn::Longitude) {
        const auto axis
            = column == PoiColumn::Latitude ? CoordinateRule::Axis::Latitude : CoordinateRule::Axis::Longitude;
        // What the rule refuses leaves the position the row had.
        if (const std::optional<QString> accepted = CoordinateRule::Accepted(list->Cell(row, column), axis))
            list->setCell(row, column, *accepted);
        else if (edited)
            list->setCell(row, column, mOpenEdit.text);
    } else {
        if (edited && column == PoiColumn::Description) {
            const QString line = SingleLine(list->CellView(row, PoiColumn::Description));
            if (line != list->CellView(row, PoiColumn::Description))
                list->setCell(row, PoiColumn::Description, line);
        }
        if (list->CellView(row, PoiColumn::Description).isEmpty())
            list->setCell(row, PoiColumn::Description, QStringLiteral("Inserire il testo..."));
    }
    mOpenEdit = {};

    w.AggiornaIconaTelefono(list->Cell(row, PoiColumn::Description), row);
}

void ListEvents::ListBox1_Change()
{
    const int row = w.ListBox1()->ListIndex();
    if (row == -1)
        return;
    w.setRigaSelezionata(row);
    if (!w.disableClickPoi())
        w.Map().MostraPunto(row);
}

QColor ListEvents::ListBox1_CellTextPaint(int row, int)
{
    const Listbox* list = w.ListBox1();
    if (longerThan(list->CellView(row, PoiColumn::Description), kLongDescription))
        return QColor(255, 0, 0);
    if (list->CellView(row, PoiColumn::Mod) == u"0")
        return QColor(0, 0, 0);
    return QColor(0, 0, 255);
}

QColor ListEvents::ListBox1_CellBackgroundPaint(int row, int)
{
    if (row % 2 == 0)
        return QColor(237, 243, 254);
    return QColor();
}

bool ListEvents::ListBox1_CompareRows(int row1, int row2, int column, int& result)
{
    if (column != PoiColumn::Latitude && column != PoiColumn::Longitude)
        return false;
    // Equal values answer -1 too: the list's sort only asks whether two rows must swap.
    result = SortKey(row1, column) > SortKey(row2, column) ? 1 : -1;
    return true;
}

void ListEvents::ListBox1_HeadingSorted(int)
{
    OrderChanged();
}

void ListEvents::ListBox1_RowsReordered()
{
    OrderChanged();
}

void ListEvents::EditRememberedCell()
{
    // The remembered row survives deletions and a new file; such a row is no longer there.
    const int row = w.RigaSelezionata();
    const int column = w.ColonnaSelezionata();
    if (row < 0 || row >= w.ListBox1()->ListCount() || column < 0 || column > kLastVisible)
        return;
    mOpenEdit = {w.ListBox1()->Cell(row, PoiColumn::Id), column, w.ListBox1()->Cell(row, column)};
    w.ListBox1()->EditCell(row, column);
}

bool ListEvents::EditEnded(int row, int column) const
{
    return column == mOpenEdit.column && w.ListBox1()->CellView(row, PoiColumn::Id) == mOpenEdit.id;
}

double ListEvents::SortKey(int row, int column)
{
    const Listbox* list = w.ListBox1();
    const int count = list->ListCount();
    if (row < 0 || row >= count)
        return Val(list->CellView(row, column));
    if (mKeysColumn != column || mKeys.size() != size_t(count)) {
        mKeys.resize(size_t(count));
        for (int r = 0; r < count; ++r)
            mKeys[size_t(r)] = Val(list->CellView(r, column));
        mKeysColumn = column;
        QTimer::singleShot(0, &mGuard, [this] { DropSortKeys(); });
    }
    return mKeys[size_t(row)];
}

void ListEvents::DropSortKeys()
{
    mKeysColumn = -1;
    std::vector<double>().swap(mKeys);
}

void ListEvents::OrderChanged()
{
    w.setModificato(true);
}
