#include "platform/Listbox.h"

#include "platform/CollationKeys.h"
#include "platform/Events.h"
#include "platform/ListboxColumnWidths.h"
#include "platform/ListboxDelegate.h"
#include "platform/ListboxModel.h"
#include "platform/ListboxSort.h"
#include "platform/ListboxView.h"

#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

Listbox::Listbox(QWidget* parent)
    : Listbox(nullptr, parent)
{
}

Listbox::Listbox(ListboxModel* rows, QWidget* parent)
    : QWidget(parent)
    , mModel(rows ? rows : new ListboxModel(this))
    , mView(new ListboxView(*this))
    , mSortDirections(1, 1)
{
    // The design's "size 12" is pixels at 1x; points would grow with the screen's dpi.
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mView);
    setFocusProxy(mView);

    mView->setModel(mModel);
    mView->setItemDelegate(new ListboxDelegate(*this, mView));
    mView->setSelectionBehavior(QAbstractItemView::SelectRows);
    mView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mView->setShowGrid(false);
    mView->setWordWrap(false);
    mView->setTabKeyNavigation(false);
    mView->setCornerButtonEnabled(false);
    mView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mView->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mView->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    mView->setAttribute(Qt::WA_MacShowFocusRect, false);
    mView->setDragEnabled(true);
    mView->setDragDropMode(QAbstractItemView::InternalMove);
    mView->setDefaultDropAction(Qt::MoveAction);
    mView->setDropIndicatorShown(true);
    mView->setDragDropOverwriteMode(false);

    QHeaderView* rowHeader = mView->verticalHeader();
    rowHeader->hide();
    rowHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowHeader->setDefaultSectionSize(std::max(fontMetrics().height() + 4, 18));

    QHeaderView* heading = mView->horizontalHeader();
    heading->setSectionResizeMode(QHeaderView::Interactive);
    heading->setStretchLastSection(true);
    heading->setSectionsClickable(true);
    heading->setHighlightSections(false);
    heading->viewport()->installEventFilter(this);
    connect(heading, &QHeaderView::sectionClicked, this, &Listbox::headingClicked);
    connect(heading, &QHeaderView::sectionResized, this, [this] {
        if (mUserResizing && !mApplyingWidths)
            mWidths.takeFrom(*mView);
    });

    connect(mView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { Change(); });
    connect(mModel, &ListboxModel::userEdited, this, [this](int row, int column) { CellAction(row, column); });
    // A reset drops the selection without a word from the view: tell it as a change.
    connect(mModel, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { mHadSelection = mView->selectionModel()->hasSelection(); });
    connect(mModel, &QAbstractItemModel::modelReset, this, [this] {
        if (mHadSelection && !mQuietReset && Change)
            Change();
        mHadSelection = false;
    });
    mModel->textColor.connect(this, [this](int row, int column) { return CellTextPaint(row, column); });
    mModel->backgroundColor.connect(this, [this](int row, int column) { return CellBackgroundPaint(row, column); });
}

Listbox::~Listbox()
{
    // The view goes while the list is whole, and what it says on its way reaches nobody.
    mView->horizontalHeader()->viewport()->removeEventFilter(this);
    disconnect(mView->horizontalHeader(), nullptr, this, nullptr);
    disconnect(mView->selectionModel(), nullptr, this, nullptr);
    disconnect(mModel, nullptr, this, nullptr);
    mModel->textColor.disconnect();
    mModel->backgroundColor.disconnect();
    delete mView;
}

int Listbox::ColumnCount() const
{
    return mModel->columns();
}

void Listbox::setColumnCount(int count)
{
    mModel->setColumns(count);
    mSortDirections.resize(size_t(ColumnCount()), 1);
    if (mSortedColumn >= ColumnCount())
        mSortedColumn = -1;
    applyColumnWidths();
}

QString Listbox::ColumnWidths() const
{
    return mWidths.text();
}

void Listbox::setColumnWidths(const QString& widths)
{
    mWidths.setText(widths);
    applyColumnWidths();
}

bool Listbox::HasHeading() const
{
    return !mView->horizontalHeader()->isHidden();
}

void Listbox::setHasHeading(bool shown)
{
    mView->horizontalHeader()->setVisible(shown);
}

QString Listbox::Heading(int column) const
{
    return mModel->heading(column);
}

void Listbox::setHeading(int column, const QString& text)
{
    mModel->setHeading(column, text);
}

int Listbox::ColumnAlignment(int column) const
{
    return mModel->alignment(column);
}

void Listbox::setColumnAlignment(int column, int alignment)
{
    mModel->setAlignment(column, alignment);
}

void Listbox::AddRow(const QString& text)
{
    InsertRow(ListCount(), text);
}

void Listbox::InsertRow(int row, const QString& text, int)
{
    row = std::clamp(row, 0, ListCount());
    mModel->insertRow(row, text);
}

int Listbox::LastIndex() const
{
    return mModel->lastInserted();
}

int Listbox::ListCount() const
{
    return mModel->rows().count();
}

void Listbox::RemoveRow(int row)
{
    if (row >= 0 && row < ListCount())
        mModel->removeRow(row);
}

void Listbox::DeleteAllRows()
{
    mModel->clear();
}

bool Listbox::validCell(int row, int column) const
{
    return row >= 0 && row < mModel->rows().count() && column >= 0 && column < mModel->columns();
}

QString Listbox::Cell(int row, int column) const
{
    return CellView(row, column).toString();
}

QAnyStringView Listbox::CellView(int row, int column) const
{
    return validCell(row, column) ? mModel->rows().text(row, column) : QAnyStringView();
}

int Listbox::FindRow(int column, QAnyStringView text) const
{
    return column >= 0 && column < mModel->columns() ? mModel->rows().find(column, text) : -1;
}

void Listbox::setCell(int row, int column, const QString& text)
{
    if (validCell(row, column))
        mModel->setText(row, column, text);
}

bool Listbox::CellCheck(int row, int column) const
{
    return validCell(row, column) && column < ListboxRows::MaxCheckColumns
        && (mModel->rows().at(row).checked & (1u << column));
}

void Listbox::setCellCheck(int row, int column, bool checked)
{
    if (validCell(row, column) && column < ListboxRows::MaxCheckColumns)
        mModel->setChecked(row, column, checked);
}

int Listbox::CellType(int row, int column) const
{
    const bool checkBox = validCell(row, column) && column < ListboxRows::MaxCheckColumns
        && (mModel->rows().at(row).checkBoxes & (1u << column));
    return checkBox ? TypeCheckbox : TypeDefault;
}

void Listbox::setCellType(int row, int column, int type)
{
    if (validCell(row, column) && column < ListboxRows::MaxCheckColumns)
        mModel->setCheckBox(row, column, type == TypeCheckbox);
}

const QPixmap* Listbox::RowPicture(int row) const
{
    return row >= 0 && row < ListCount() ? mModel->rows().at(row).picture : nullptr;
}

void Listbox::setRowPicture(int row, const QPixmap* picture)
{
    if (row >= 0 && row < ListCount())
        mModel->setPicture(row, picture);
}

int Listbox::ScrollPosition() const
{
    return mPendingScroll >= 0 ? mPendingScroll : mView->verticalScrollBar()->value();
}

void Listbox::setScrollPosition(int row)
{
    // The view learns of rows added in a batch only when it ends.
    if (mModel->inBatch()) {
        mPendingScroll = std::max(row, 0);
        return;
    }
    mView->refreshGeometry();
    mView->verticalScrollBar()->setValue(row);
}

int Listbox::ListIndex() const
{
    int first = -1;
    for (const QItemSelectionRange& range : mView->selectionModel()->selection())
        if (first < 0 || range.top() < first)
            first = range.top();
    return first;
}

void Listbox::setListIndex(int row)
{
    QItemSelectionModel* selection = mView->selectionModel();
    if (row < 0 || row >= ListCount()) {
        selection->clearSelection();
        return;
    }
    const QModelIndex cell = mModel->index(row, 0);
    selection->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
    selection->select(cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

std::vector<int> Listbox::selectedRows() const
{
    std::vector<std::pair<int, int>> spans;
    for (const QItemSelectionRange& range : mView->selectionModel()->selection())
        spans.emplace_back(range.top(), range.bottom());
    std::sort(spans.begin(), spans.end());
    std::vector<int> rows;
    int next = 0;
    for (const auto& [top, bottom] : spans) {
        for (int row = std::max(top, next); row <= bottom; ++row)
            rows.push_back(row);
        next = std::max(next, bottom + 1);
    }
    return rows;
}

int Listbox::SelCount() const
{
    return int(selectedRows().size());
}

bool Listbox::Selected(int row) const
{
    for (const QItemSelectionRange& range : mView->selectionModel()->selection())
        if (row >= range.top() && row <= range.bottom())
            return true;
    return false;
}

void Listbox::setSelected(int row, bool selected)
{
    if (row < 0 || row >= ListCount())
        return;
    const QItemSelection rowCells(mModel->index(row, 0), mModel->index(row, ColumnCount() - 1));
    mView->selectionModel()->select(rowCells, selected ? QItemSelectionModel::Select
                                                       : QItemSelectionModel::Deselect);
}

void Listbox::selectRows(const std::vector<int>& rows, int current)
{
    QItemSelection selection;
    const int last = ColumnCount() - 1;
    for (size_t i = 0; i < rows.size();) {
        size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1)
            ++j;
        selection.append(QItemSelectionRange(mModel->index(rows[i], 0), mModel->index(rows[j], last)));
        i = j + 1;
    }
    QItemSelectionModel* model = mView->selectionModel();
    if (current >= 0)
        model->setCurrentIndex(mModel->index(current, 0), QItemSelectionModel::NoUpdate);
    model->select(selection, QItemSelectionModel::ClearAndSelect);
}

void Listbox::reorder(const std::vector<int>& order)
{
    // The selected rows go with the reordered rows; a batch drops them at its end anyway.
    if (mModel->inBatch()) {
        mModel->reorder(order);
        return;
    }
    const std::vector<int> selected = selectedRows();
    const int current = mView->currentIndex().row();
    const int scroll = ScrollPosition();
    std::vector<int> place(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        place[size_t(order[i])] = int(i);
    mQuietReset = true;
    mModel->reorder(order);
    mQuietReset = false;
    std::vector<int> moved;
    moved.reserve(selected.size());
    for (int row : selected)
        moved.push_back(place[size_t(row)]);
    std::sort(moved.begin(), moved.end());
    if (!moved.empty())
        selectRows(moved, current >= 0 ? place[size_t(current)] : -1);
    setScrollPosition(scroll);
}

int Listbox::SortedColumn() const
{
    return mSortedColumn;
}

void Listbox::setSortedColumn(int column)
{
    mSortedColumn = column >= 0 && column < ColumnCount() ? column : -1;
}

int Listbox::ColumnSortDirection(int column) const
{
    return column >= 0 && column < ColumnCount() ? mSortDirections[size_t(column)] : 0;
}

void Listbox::setColumnSortDirection(int column, int direction)
{
    if (column >= 0 && column < ColumnCount())
        mSortDirections[size_t(column)] = direction < 0 ? -1 : 1;
}

bool Listbox::Sort()
{
    const int column = mSortedColumn;
    const int n = ListCount();
    if (column < 0 || column >= ColumnCount())
        return false;
    const bool descending = ColumnSortDirection(column) < 0;
    mView->horizontalHeader()->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    mView->horizontalHeader()->setSortIndicatorShown(true);
    if (n < 2)
        return false;
    const ListboxRows& rows = mModel->rows();
    // Texts compare as the user's language orders them, ignoring letter case, by their
    // collation keys. A handler that leaves the first pair to the list most likely leaves
    // it every pair: then the rows are put in their keys' order at once, and each pair of
    // neighbours in that order is offered to the handler. Should it take one, the rows are
    // sorted pair by pair after all, each pair offered first.
    CollationKeys keys;
    const auto text = [&rows, column](int row) { return rows.text(row, column); };
    std::vector<int> order;
    int answer = 0;
    if (!CompareRows(0, 1, column, answer)) {
        keys.build(n, text);
        order = keys.order(descending);
        for (int i = 1; i < n && !order.empty(); ++i) {
            const int a = order[size_t(i) - 1];
            const int b = order[size_t(i)];
            if (descending ? CompareRows(b, a, column, answer) : CompareRows(a, b, column, answer))
                order.clear();
        }
    }
    if (order.empty()) {
        auto compare = [&](int a, int b) {
            int result = 0;
            if (CompareRows(a, b, column, result))
                return result;
            if (keys.isEmpty())
                keys.build(n, text);
            return keys.compare(a, b);
        };
        order.resize(static_cast<size_t>(n));
        std::iota(order.begin(), order.end(), 0);
        if (descending)
            stableMergeSort(order, [&](int a, int b) { return compare(b, a) > 0; });
        else
            stableMergeSort(order, [&](int a, int b) { return compare(a, b) > 0; });
    }
    // A handler that changed the rows while they were compared leaves them as they are.
    if (ListCount() != n)
        return false;
    bool moved = false;
    for (int i = 0; i < n && !moved; ++i)
        moved = order[size_t(i)] != i;
    if (moved)
        reorder(order);
    return moved;
}

void Listbox::headingClicked(int column)
{
    CommitEdit();
    if (column == mSortedColumn)
        setColumnSortDirection(column, -ColumnSortDirection(column));
    else
        mSortedColumn = column;
    if (Sort())
        HeadingSorted(column);
}

void Listbox::moveSelectedRows(int before)
{
    const std::vector<int> moving = selectedRows();
    const int n = ListCount();
    if (moving.empty() || n == 0)
        return;
    std::vector<bool> isMoving(static_cast<size_t>(n), false);
    for (int row : moving)
        isMoving[size_t(row)] = true;
    std::vector<int> order;
    order.reserve(size_t(n));
    for (int row = 0; row < std::min(before, n); ++row)
        if (!isMoving[size_t(row)])
            order.push_back(row);
    order.insert(order.end(), moving.begin(), moving.end());
    for (int row = std::max(before, 0); row < n; ++row)
        if (!isMoving[size_t(row)])
            order.push_back(row);
    bool changed = false;
    for (int i = 0; i < n && !changed; ++i)
        changed = order[size_t(i)] != i;
    if (!changed)
        return;
    reorder(order);
    RowsReordered();
}

void Listbox::EditCell(int row, int column)
{
    if (!validCell(row, column) || mView->isColumnHidden(column) || mModel->inBatch())
        return;
    const QModelIndex cell = mModel->index(row, column);
    mView->scrollTo(cell);
    mView->edit(cell);
}

void Listbox::CommitEdit()
{
    if (auto* delegate = qobject_cast<ListboxDelegate*>(mView->itemDelegate()))
        delegate->commitOpenEditor();
}

void Listbox::BeginUpdate()
{
    mModel->beginBatch();
}

void Listbox::EndUpdate()
{
    if (!mModel->inBatch())
        return;
    mModel->endBatch();
    if (!mModel->inBatch() && mPendingScroll >= 0) {
        const int row = mPendingScroll;
        mPendingScroll = -1;
        setScrollPosition(row);
    }
}

QAbstractItemView* Listbox::view() const
{
    return mView;
}

void Listbox::showContextMenu(const QPoint& viewportPos, const QPoint& globalPos)
{
    if (!ConstructContextualMenu)
        return;
    CommitEdit();
    QMenu base(this);
    const QPoint pos = mView->viewport()->mapTo(this, viewportPos);
    if (!ConstructContextualMenu(base, pos.x(), pos.y()))
        return;
    QAction* chosen = nullptr;
    {
        Events::NestedLoop nested;
        chosen = base.exec(globalPos);
    }
    if (chosen && ContextualMenuAction)
        ContextualMenuAction(chosen);
}

void Listbox::applyColumnWidths()
{
    if (mApplyingWidths)
        return;
    mApplyingWidths = true;
    mWidths.apply(*mView);
    mApplyingWidths = false;
}

bool Listbox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mView->horizontalHeader()->viewport()) {
        if (event->type() == QEvent::MouseButtonPress)
            mUserResizing = true;
        else if (event->type() == QEvent::MouseButtonRelease)
            mUserResizing = false;
    }
    return QWidget::eventFilter(watched, event);
}
