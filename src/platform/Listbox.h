#pragma once

#include "platform/Event.h"
#include "platform/ListboxColumnWidths.h"

#include <QColor>
#include <QString>
#include <QAnyStringView>
#include <QWidget>

#include <vector>

class QAbstractItemView;
class QAction;
class QMenu;
class QPixmap;
class ListboxModel;
class ListboxView;

// The framework's list control: rows of text cells with check boxes and row pictures,
// hidden columns, sorting, in-place editing and reordering by dragging. Built for a
// million rows: one text block per row, colours and check boxes asked as data roles.
// Rows and columns count from 0; an index out of range reads as empty and writes nothing.
class Listbox : public QWidget {
    Q_OBJECT
public:
    static constexpr int TypeDefault = 0;
    static constexpr int TypeCheckbox = 2;
    static constexpr int AlignDefault = 0;
    static constexpr int AlignLeft = 1;
    static constexpr int AlignCenter = 2;
    static constexpr int AlignRight = 3;
    static constexpr int AlignDecimal = 4;

    explicit Listbox(QWidget* parent = nullptr);
    // A list showing rows kept elsewhere; the model must outlive the list.
    explicit Listbox(ListboxModel* rows, QWidget* parent = nullptr);
    ~Listbox() override;

    // Columns. Widths are comma-separated: "60%" of the visible width, "120" pixels, "*"
    // a share of the rest; a column without a width (or with "0") is hidden. The widths
    // follow resizes of the list; a column the user resizes keeps its new share.
    int ColumnCount() const;
    void setColumnCount(int count);
    QString ColumnWidths() const;
    void setColumnWidths(const QString& widths);
    bool HasHeading() const;
    void setHasHeading(bool shown);
    QString Heading(int column) const;
    void setHeading(int column, const QString& text);
    int ColumnAlignment(int column) const;
    void setColumnAlignment(int column, int alignment);

    // Rows. The list is not hierarchical: InsertRow's indent is accepted and ignored.
    void AddRow(const QString& text);
    void InsertRow(int row, const QString& text, int indent = 0);
    int LastIndex() const;
    int ListCount() const;
    void RemoveRow(int row);
    void DeleteAllRows();

    // Cells. CellView reads without a copy, as Latin-1 or UTF-16 as the row keeps it; the
    // view stays valid until that row changes.
    QString Cell(int row, int column) const;
    QAnyStringView CellView(int row, int column) const;
    void setCell(int row, int column, const QString& text);
    // The first row whose cell in the column holds exactly this text; -1 when none. As fast
    // for a million rows as for ten, but for the first search after the rows or that
    // column changed.
    int FindRow(int column, QAnyStringView text) const;
    bool CellCheck(int row, int column) const;
    void setCellCheck(int row, int column, bool checked);
    // TypeCheckbox (columns 0 to 30) or TypeDefault; other types read back as TypeDefault.
    int CellType(int row, int column) const;
    void setCellType(int row, int column, int type);
    // A shared picture drawn before the text of column 0; the list keeps the pointer only,
    // so the picture must outlive the rows that show it. nullptr for none.
    const QPixmap* RowPicture(int row) const;
    void setRowPicture(int row, const QPixmap* picture);

    // Top visible row.
    int ScrollPosition() const;
    void setScrollPosition(int row);

    // Selection. Setting ListIndex selects only that row (-1 clears) and raises Change
    // before it returns, when the selection changed.
    int ListIndex() const;
    void setListIndex(int row);
    int SelCount() const;
    bool Selected(int row) const;
    void setSelected(int row, bool selected);

    // Sorting: on SortedColumn (-1: none) in that column's direction (1 ascending, the
    // default; -1 descending). Each pair is first offered to CompareRows, else the cell
    // texts are compared in the order of the user's language, ignoring letter case.
    // Selected rows stay selected at their new places.
    int SortedColumn() const;
    void setSortedColumn(int column);
    int ColumnSortDirection(int column) const;
    void setColumnSortDirection(int column, int direction);
    // True when rows moved.
    bool Sort();

    // Opens an in-place line editor on the cell; a row or column out of range, a hidden
    // column, an edit already open or a batch under way does nothing.
    void EditCell(int row, int column);
    // Ends an open cell edit the way Return does: its text is stored and CellAction
    // raised before this returns. Every command that reads or changes the rows calls it
    // first, so an edit in progress is neither lost nor overwritten.
    void CommitEdit();

    // Between BeginUpdate and EndUpdate (they nest) the view hears of no single change;
    // rows removed inside are dropped at once for every index the caller sees, so removing
    // many rows costs no more than a pass. EndUpdate refreshes the view once: a change of
    // rows resets it (the selection is cleared, raising Change when there was one), a
    // change of cells only repaints.
    void BeginUpdate();
    void EndUpdate();

    // The item view inside, for tests that click at a cell's visualRect.
    QAbstractItemView* view() const;

    // Events. Without a handler an event yields false and the list does its default.
    // Every mouse press on a cell, before any double click; x, y within the cell. True
    // keeps the press from the list (no selection change).
    Event<bool(int row, int column, int x, int y)> CellClick;
    // A double click on a cell.
    Event<void()> DoubleClick;
    // A key while the list itself has the focus (Return gives "\r", arrows chr 28 to 31);
    // the key goes on to the list unless the handler returns true.
    Event<bool(const QString& key)> KeyDown;
    // A key inside an open cell editor; true keeps it from the editor.
    Event<bool(int row, int column, const QString& key)> CellKeyDown;
    // Each change the user makes to the text of an open cell editor.
    Event<void(int row, int column)> CellTextChange;
    // An edit ended and its text was stored (Escape ends it without), or the user
    // toggled a check box.
    Event<void(int row, int column)> CellAction;
    // Every change of the selection: by mouse, keys, the setters or a reset of the rows.
    Event<void()> Change;
    // Text and background colour of a painted cell; an invalid colour keeps the default.
    Event<QColor(int row, int column)> CellTextPaint;
    Event<QColor(int row, int column)> CellBackgroundPaint;
    // True when the handler decided; result > 0 puts row1 after row2 (ascending).
    Event<bool(int row1, int row2, int column, int& result)> CompareRows;
    // A contextual click; x, y within the list. The menu is shown only when it returns true.
    Event<bool(QMenu& base, int x, int y)> ConstructContextualMenu;
    Event<bool(QAction* chosen)> ContextualMenuAction;
    // After the user sorted by clicking a heading, when rows moved.
    Event<void(int column)> HeadingSorted;
    // After the user moved rows by dragging them.
    Event<void()> RowsReordered;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ListboxView;

    bool validCell(int row, int column) const;
    void applyColumnWidths();
    void headingClicked(int column);
    void moveSelectedRows(int before);
    void showContextMenu(const QPoint& viewportPos, const QPoint& globalPos);
    // The selected rows in ascending order.
    std::vector<int> selectedRows() const;
    void selectRows(const std::vector<int>& rows, int current);
    void reorder(const std::vector<int>& order);

    ListboxModel* mModel = nullptr;
    ListboxView* mView = nullptr;
    ListboxColumnWidths mWidths;
    std::vector<int> mSortDirections;
    int mSortedColumn = -1;
    int mPendingScroll = -1;
    bool mApplyingWidths = false;
    bool mUserResizing = false;
    bool mHadSelection = false;
    bool mQuietReset = false;
};
