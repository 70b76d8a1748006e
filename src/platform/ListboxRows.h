#pragma once

#include "platform/ListboxTextIndex.h"

#include <QAnyStringView>
#include <QString>

#include <climits>
#include <cstdint>
#include <vector>

class QPixmap;

// One row of the list: its cell texts in a single block, its check boxes as bits and a
// pointer to a shared picture.
struct ListboxRow {
    // Block headed by char16_t units: [0] the cell count (bit 15: 32-bit offsets, bit 14:
    // UTF-16 texts), then the end offset of each cell (one unit each, or two when wide),
    // then the texts one after the other. A row whose every character fits in Latin-1
    // keeps them as single bytes: most rows do, and take half the room.
    char16_t* cells = nullptr;
    const QPixmap* picture = nullptr;
    uint32_t checkBoxes = 0;  // bit c: cell c is a check box; bit 31: row removed
    uint32_t checked = 0;     // bit c: cell c is checked
};

// The rows of a list in order, in one contiguous array that grows at both ends, so
// appending and inserting at the top cost O(1) amortised. Rows removed with markRemoved
// stay in the array until compact(); every row index seen from outside skips them.
class ListboxRows {
public:
    static constexpr int MaxCheckColumns = 31;
    static constexpr int MaxColumns = 0x3FFF;

    ListboxRows() = default;
    ~ListboxRows();
    ListboxRows(const ListboxRows&) = delete;
    ListboxRows& operator=(const ListboxRows&) = delete;

    int count() const { return int(mSize - mRemoved); }
    ListboxRow& at(int row) { return mBuffer[mHead + physical(row)]; }
    const ListboxRow& at(int row) const { return mBuffer[mHead + physical(row)]; }

    // A new row whose cells, from column 0, hold these texts.
    void insert(int row, const QAnyStringView* cells, int count);
    void remove(int row);
    void markRemoved(int row);
    void compact();
    void clear();
    // Gives back the room that growth left at both ends.
    void shrink();
    // Makes room for this many rows before the first and after the last, so that inserting
    // them at either end moves no row and the array grows once.
    void reserve(size_t front, size_t back);

    QAnyStringView text(int row, int column) const { return cellText(at(row).cells, column); }
    void setText(int row, int column, QAnyStringView text);
    // The first row whose cell in the column holds exactly this text; -1 when none. After
    // a change of the rows or of that column the first search takes one pass over the rows,
    // every later one a constant time.
    int find(int column, QAnyStringView text) const { return mIndex.find(*this, column, text); }
    // Drops cells from `columns` on in every row.
    void truncate(int columns);

    // Puts the rows in the order given: the new row i is the old row order[i].
    void reorder(const std::vector<int>& order);
    // Moves these distinct rows, in the order given, to the top; the others keep their
    // order below them. Needs no room beyond the rows moved.
    void moveToTop(const std::vector<int>& rows);

    static QAnyStringView cellText(const char16_t* block, int column);

private:
    size_t physical(int row) const
    {
        return mRemoved == 0 || row < mLowestRemoved ? size_t(row) : findAlive(row);
    }
    size_t findAlive(int row) const;
    void makeRoom(bool atFront);
    void buildAliveTree();

    std::vector<ListboxRow> mBuffer;
    size_t mHead = 0;  // first used slot
    size_t mSize = 0;  // used slots, removed rows included
    size_t mRemoved = 0;
    int mLowestRemoved = INT_MAX;  // slot of the first removed row
    // Fenwick tree over the used slots counting the rows not removed; it exists only
    // while removed rows wait for compact().
    std::vector<int> mAlive;
    mutable ListboxTextIndex mIndex;
};

inline QAnyStringView ListboxRows::cellText(const char16_t* block, int column)
{
    if (!block)
        return {};
    const unsigned head = block[0];
    const int cellCount = int(head & 0x3FFFu);
    if (column < 0 || column >= cellCount)
        return {};
    const char16_t* chars;
    uint32_t from = 0;
    uint32_t to;
    if (head & 0x8000u) {
        const char16_t* ends = block + 1;
        chars = ends + 2 * cellCount;
        if (column > 0)
            from = uint32_t(ends[2 * column - 2]) << 16 | ends[2 * column - 1];
        to = uint32_t(ends[2 * column]) << 16 | ends[2 * column + 1];
    } else {
        const char16_t* ends = block + 1;
        chars = ends + cellCount;
        if (column > 0)
            from = ends[column - 1];
        to = ends[column];
    }
    if (head & 0x4000u)
        return QStringView(chars + from, qsizetype(to - from));
    return QLatin1StringView(reinterpret_cast<const char*>(chars) + from, qsizetype(to - from));
}
