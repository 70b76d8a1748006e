#include "platform/ListboxTextIndex.h"

#include "platform/ListboxRows.h"
#include "platform/TextFunctions.h"

namespace {

// Making the index costs about as much as this many passes of a search over the rows.
constexpr int64_t kPassesPerBuild = 8;

uint32_t hashOf(QAnyStringView text)
{
    return uint32_t(TextHash(text));
}

} // namespace

int ListboxTextIndex::find(const ListboxRows& rows, int column, QAnyStringView text)
{
    if (!mValid || column != mColumn) {
        if (column == mColumn && mScanned < kPassesPerBuild * rows.count())
            return scan(rows, column, text);
        build(rows, column);
    }
    const int32_t entry = mSlots[slotOf(rows, text, hashOf(text))];
    return entry == kEmpty ? -1 : entry + mOffset;
}

void ListboxTextIndex::inserted(const ListboxRows& rows, int row, const QAnyStringView* cells, int count)
{
    if (!mValid)
        return;
    const bool atTop = row == 0;
    if (!atTop && row != rows.count() - 1) {
        mValid = false;
        return;
    }
    if (atTop)
        ++mOffset;
    const QAnyStringView text = mColumn < count ? cells[mColumn] : QAnyStringView();
    const uint32_t hash = hashOf(text);
    const size_t slot = slotOf(rows, text, hash);
    // The row at the top comes before any other with its text; the one at the end after.
    if (mSlots[slot] != kEmpty) {
        if (atTop)
            mSlots[slot] = row - mOffset;
        return;
    }
    mSlots[slot] = row - mOffset;
    mHashes[slot] = hash;
    // Fuller, searches would slow down: the next one makes it anew at its new size.
    if (++mUsed * 4 > mSlots.size() * 3)
        mValid = false;
}

void ListboxTextIndex::clear()
{
    std::vector<int32_t>().swap(mSlots);
    std::vector<uint32_t>().swap(mHashes);
    mScanned = 0;
    // No rows: an empty index is exact, and the rows that come next keep it so.
    mValid = mColumn >= 0;
    if (mValid)
        allocate(0);
    mOffset = 0;
}

int ListboxTextIndex::scan(const ListboxRows& rows, int column, QAnyStringView text)
{
    for (int row = 0; row < rows.count(); ++row) {
        if (rows.text(row, column) == text) {
            mScanned += row + 1;
            return row;
        }
    }
    mScanned += rows.count();
    return -1;
}

void ListboxTextIndex::build(const ListboxRows& rows, int column)
{
    const int count = rows.count();
    allocate(size_t(count));
    mOffset = 0;
    mColumn = column;
    for (int row = 0; row < count; ++row) {
        const QAnyStringView text = rows.text(row, column);
        const uint32_t hash = hashOf(text);
        const size_t slot = slotOf(rows, text, hash);
        // A text already there keeps its first row.
        if (mSlots[slot] == kEmpty) {
            mSlots[slot] = row;
            mHashes[slot] = hash;
            ++mUsed;
        }
    }
    mValid = true;
    mScanned = 0;
}

size_t ListboxTextIndex::slotOf(const ListboxRows& rows, QAnyStringView text, uint32_t hash) const
{
    const size_t mask = mSlots.size() - 1;
    size_t slot = hash & mask;
    while (mSlots[slot] != kEmpty && !(mHashes[slot] == hash && rows.text(mSlots[slot] + mOffset, mColumn) == text))
        slot = (slot + 1) & mask;
    return slot;
}

void ListboxTextIndex::allocate(size_t rowCount)
{
    // At most half full when made, so that a search for a text no row has stops soon.
    size_t capacity = 64;
    while (capacity < rowCount * 2)
        capacity *= 2;
    mSlots.assign(capacity, kEmpty);
    mHashes.assign(capacity, 0);
    mUsed = 0;
}
