#pragma once

#include <QAnyStringView>

#include <cstdint>
#include <vector>

class ListboxRows;

// The first row holding each text of one column, so that finding a row by its text costs
// the same for a million rows as for ten. Rows added at the top or at the end keep it
// exact as they come, and so does clearing; its owner drops it at every other change that
// could move rows or change that column's texts. Once dropped, the next searches go over
// the rows until they have cost what making it again costs, which then takes one pass.
class ListboxTextIndex {
public:
    // The first row, from 0 up, whose cell in the column holds exactly this text; -1 when
    // none.
    int find(const ListboxRows& rows, int column, QAnyStringView text);

    // A row with these cells is now row `row` of `rows`.
    void inserted(const ListboxRows& rows, int row, const QAnyStringView* cells, int count);
    void rowsChanged() { mValid = false; }
    void textChanged(int column)
    {
        if (column == mColumn)
            mValid = false;
    }
    // No rows any more; the memory goes back.
    void clear();

private:
    int scan(const ListboxRows& rows, int column, QAnyStringView text);
    void build(const ListboxRows& rows, int column);
    // The slot that holds this text, or the empty one where it would go.
    size_t slotOf(const ListboxRows& rows, QAnyStringView text, uint32_t hash) const;
    void allocate(size_t rowCount);

    static constexpr int32_t kEmpty = INT32_MIN;

    // Open addressing: each slot holds a row less mOffset (kEmpty: none) and that row's
    // text hash. Rows added at the top move every other one down: mOffset counts them.
    std::vector<int32_t> mSlots;
    std::vector<uint32_t> mHashes;
    size_t mUsed = 0;
    int32_t mOffset = 0;
    int mColumn = -1;
    bool mValid = false;
    // Rows visited by searches since the index was dropped.
    int64_t mScanned = 0;
};
