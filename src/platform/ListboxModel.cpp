#include "platform/ListboxModel.h"

#include <QBrush>
#include <QMimeData>
#include <QPixmap>

#include <algorithm>

namespace {

const QString MimeType = QStringLiteral("application/x-lumetra-listbox-rows");

Qt::Alignment qtAlignment(int alignment)
{
    switch (alignment) {
    case 2:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case 3:
    case 4:  // decimal: the delegate lines the points up; editors and sizes go by the right
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace

ListboxModel::ListboxModel(QObject* parent)
    : QAbstractTableModel(parent)
    , mHeadings(1)
    , mAlignments(1, 0)
{
}

int ListboxModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : mRows.count();
}

int ListboxModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : mColumns;
}

QVariant ListboxModel::data(const QModelIndex& index, int role) const
{
    const int row = index.row();
    const int column = index.column();
    if (!index.isValid() || row >= mRows.count() || column >= mColumns)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return mRows.text(row, column).toString();
    case Qt::CheckStateRole: {
        const ListboxRow& r = mRows.at(row);
        if (column >= ListboxRows::MaxCheckColumns || !(r.checkBoxes & (1u << column)))
            return {};
        return (r.checked & (1u << column)) ? Qt::Checked : Qt::Unchecked;
    }
    case Qt::DecorationRole: {
        const QPixmap* picture = column == 0 ? mRows.at(row).picture : nullptr;
        return picture ? QVariant(*picture) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(qtAlignment(mAlignments[size_t(column)]));
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        const auto& hook = role == Qt::ForegroundRole ? textColor : backgroundColor;
        const QColor color = hook ? hook(row, column) : QColor();
        return color.isValid() ? QVariant(QBrush(color)) : QVariant();
    }
    default:
        return {};
    }
}

bool ListboxModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= mRows.count() || index.column() >= mColumns)
        return false;
    const int row = index.row();
    const int column = index.column();
    if (role == Qt::EditRole)
        setText(row, column, value.toString());
    else if (role == Qt::CheckStateRole)
        setChecked(row, column, value.toInt() == Qt::Checked);
    else
        return false;
    emit userEdited(row, column);
    return true;
}

Qt::ItemFlags ListboxModel::flags(const QModelIndex& index) const
{
    // Drops land between rows only: the root takes them, the rows do not.
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable
        | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
    const int column = index.column();
    if (index.row() < mRows.count() && column < ListboxRows::MaxCheckColumns
        && (mRows.at(index.row()).checkBoxes & (1u << column)))
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ListboxModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < mColumns)
        return mHeadings[size_t(section)];
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::DropActions ListboxModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions ListboxModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList ListboxModel::mimeTypes() const
{
    return {MimeType};
}

QMimeData* ListboxModel::mimeData(const QModelIndexList&) const
{
    // The rows dragged are the view's selection; the data only names the model.
    auto* data = new QMimeData;
    data->setData(MimeType, QByteArray::number(quintptr(this)));
    return data;
}

bool ListboxModel::isOwnDrag(const QMimeData* data) const
{
    return data && data->data(MimeType) == QByteArray::number(quintptr(this));
}

void ListboxModel::setColumns(int count)
{
    count = std::clamp(count, 1, ListboxRows::MaxColumns);
    if (count == mColumns)
        return;
    const bool shrinking = count < mColumns;
    const bool tell = !inBatch();
    if (!tell)
        rowsChanging();
    else if (shrinking)
        beginRemoveColumns({}, count, mColumns - 1);
    else
        beginInsertColumns({}, mColumns, count - 1);
    if (shrinking)
        mRows.truncate(count);
    mHeadings.resize(size_t(count));
    mAlignments.resize(size_t(count), 0);
    mColumns = count;
    if (tell && shrinking)
        endRemoveColumns();
    else if (tell)
        endInsertColumns();
}

QString ListboxModel::heading(int column) const
{
    return column >= 0 && column < mColumns ? mHeadings[size_t(column)] : QString();
}

void ListboxModel::setHeading(int column, const QString& text)
{
    if (column < 0 || column >= mColumns)
        return;
    mHeadings[size_t(column)] = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

int ListboxModel::alignment(int column) const
{
    return column >= 0 && column < mColumns ? mAlignments[size_t(column)] : 0;
}

void ListboxModel::setAlignment(int column, int alignment)
{
    if (column < 0 || column >= mColumns)
        return;
    mAlignments[size_t(column)] = alignment;
    if (inBatch())
        mBatchCells = true;
    else if (mRows.count() > 0)
        emit dataChanged(index(0, column), index(mRows.count() - 1, column), {Qt::TextAlignmentRole});
}

void ListboxModel::insertRow(int row, QAnyStringView text)
{
    insertRow(row, &text, 1);
}

void ListboxModel::insertRow(int row, const QAnyStringView* cells, int count)
{
    const QAnyStringView none;
    if (count < 1) {
        cells = &none;
        count = 1;
    }
    count = std::min(count, mColumns);
    mLastInserted = row;
    if (inBatch()) {
        rowsChanging();
        mRows.insert(row, cells, count);
        return;
    }
    beginInsertRows({}, row, row);
    mRows.insert(row, cells, count);
    endInsertRows();
}

void ListboxModel::reserveRows(int atTop, int atEnd)
{
    mRows.reserve(size_t(std::max(atTop, 0)), size_t(std::max(atEnd, 0)));
}

void ListboxModel::removeRow(int row)
{
    if (inBatch()) {
        rowsChanging();
        mRows.markRemoved(row);
        return;
    }
    beginRemoveRows({}, row, row);
    mRows.remove(row);
    endRemoveRows();
}

void ListboxModel::clear()
{
    if (inBatch()) {
        rowsChanging();
        mRows.clear();
        return;
    }
    beginResetModel();
    mRows.clear();
    endResetModel();
}

void ListboxModel::setText(int row, int column, QAnyStringView text)
{
    mRows.setText(row, column, text);
    cellChanged(row, column, Qt::DisplayRole);
}

void ListboxModel::setChecked(int row, int column, bool checked)
{
    ListboxRow& r = mRows.at(row);
    const uint32_t bit = 1u << column;
    r.checked = checked ? r.checked | bit : r.checked & ~bit;
    cellChanged(row, column, Qt::CheckStateRole);
}

void ListboxModel::setCheckBox(int row, int column, bool checkBox)
{
    ListboxRow& r = mRows.at(row);
    const uint32_t bit = 1u << column;
    r.checkBoxes = checkBox ? r.checkBoxes | bit : r.checkBoxes & ~bit;
    cellChanged(row, column, Qt::CheckStateRole);
}

void ListboxModel::setPicture(int row, const QPixmap* picture)
{
    mRows.at(row).picture = picture;
    cellChanged(row, 0, Qt::DecorationRole);
}

void ListboxModel::reorder(const std::vector<int>& order)
{
    if (inBatch()) {
        rowsChanging();
        mRows.reorder(order);
        return;
    }
    beginResetModel();
    mRows.reorder(order);
    endResetModel();
}

void ListboxModel::moveToTop(const std::vector<int>& rows)
{
    if (rows.empty())
        return;
    if (inBatch()) {
        rowsChanging();
        mRows.moveToTop(rows);
        return;
    }
    beginResetModel();
    mRows.moveToTop(rows);
    endResetModel();
}

void ListboxModel::beginBatch()
{
    ++mBatch;
}

void ListboxModel::endBatch()
{
    if (mBatch == 0 || --mBatch > 0)
        return;
    mRows.shrink();
    if (mBatchReset)
        endResetModel();
    else if (mBatchCells && mRows.count() > 0)
        emit dataChanged(index(0, 0), index(mRows.count() - 1, mColumns - 1));
    mBatchReset = false;
    mBatchCells = false;
}

void ListboxModel::rowsChanging()
{
    if (!mBatchReset) {
        mBatchReset = true;
        beginResetModel();
    }
}

void ListboxModel::cellChanged(int row, int column, int role)
{
    if (inBatch()) {
        mBatchCells = true;
        return;
    }
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell, {role});
}
