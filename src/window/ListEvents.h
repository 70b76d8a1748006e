#pragma once

#include <QColor>
#include <QObject>
#include <QString>

#include <vector>

class Applicazione;

// The window's handlers of its POI list's events: editing in place, the end of an edit,
// the selection sent to the map, the rows' colours and the numeric order of coordinates.
class ListEvents {
public:
    explicit ListEvents(Applicazione& window);

    bool ListBox1_CellClick(int row, int column, int x, int y);
    void ListBox1_DoubleClick();
    bool ListBox1_KeyDown(const QString& key);
    bool ListBox1_CellKeyDown(int row, int column, const QString& key);
    void ListBox1_CellTextChange(int row, int column);
    void ListBox1_CellAction(int row, int column);
    void ListBox1_Change();
    QColor ListBox1_CellTextPaint(int row, int column);
    QColor ListBox1_CellBackgroundPaint(int row, int column);
    bool ListBox1_CompareRows(int row1, int row2, int column, int& result);
    void ListBox1_HeadingSorted(int column);
    void ListBox1_RowsReordered();

private:
    // Opens the remembered cell for editing, when it still exists.
    void EditRememberedCell();
    // Whether the cell is the one whose edit was opened, so its action ends that edit.
    bool EditEnded(int row, int column) const;
    // A new row order is what the next save writes.
    void OrderChanged();
    // The numeric value of a coordinate cell while the list sorts. A sort of a million
    // rows asks some twenty million comparisons: each row's value is read once, at the
    // first comparison, and kept until the rows change or the event loop next runs.
    double SortKey(int row, int column);
    void DropSortKeys();

    // The cell of the edit opened last, by row identifier, and the text it held.
    struct OpenEdit {
        QString id;
        int column = -1;
        QString text;
    };

    Applicazione& w;
    OpenEdit mOpenEdit;
    int mKeysColumn = -1;
    std::vector<double> mKeys;
    // The context of every handler this binds: declared last, so it goes first and no
    // handler outlives this object.
    QObject mGuard;
};
