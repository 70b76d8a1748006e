#include "platform/ListboxRows.h"

#include "platform/TextFunctions.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

using CellViews = QVarLengthArray<QAnyStringView, 16>;

constexpr uint32_t RemovedBit = 1u << 31;

void readCells(const char16_t* block, CellViews& cells)
{
    if (!block)
        return;
    const int n = int(block[0] & 0x3FFFu);
    for (int c = 0; c < n; ++c)
        cells.append(ListboxRows::cellText(block, c));
}

bool fitsLatin1(QAnyStringView cell)
{
    if (IsLatin1(cell))
        return true;
    const auto* units = static_cast<const char16_t*>(cell.data());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        if (units[i] > 0xFF)
            return false;
    }
    return true;
}

// The cell's characters at `out`, as bytes when `narrow`, else as UTF-16 units.
void copyCell(QAnyStringView cell, void* out, bool narrow)
{
    const qsizetype n = cell.size();
    if (IsLatin1(cell) == narrow) {
        std::memcpy(out, cell.data(), size_t(cell.size_bytes()));
    } else if (narrow) {
        const auto* units = static_cast<const char16_t*>(cell.data());
        auto* bytes = static_cast<char*>(out);
        for (qsizetype i = 0; i < n; ++i)
            bytes[i] = char(units[i]);
    } else {
        const auto* bytes = static_cast<const unsigned char*>(cell.data());
        auto* units = static_cast<char16_t*>(out);
        for (qsizetype i = 0; i < n; ++i)
            units[i] = bytes[i];
    }
}

// One block holding the cells given; nullptr when they are all empty.
char16_t* makeBlock(CellViews& cells)
{
    while (!cells.isEmpty() && cells.last().isEmpty())
        cells.removeLast();
    if (cells.isEmpty())
        return nullptr;
    // UTF-8 comes only from literals in the program: it is made UTF-16 first.
    QVarLengthArray<QString, 2> converted;
    size_t total = 0;
    bool narrow = true;
    for (QAnyStringView& cell : cells) {
        if (!IsLatin1(cell) && !IsUtf16(cell)) {
            converted.append(cell.toString());
            cell = converted.last();
        }
        total += size_t(cell.size());
        narrow = narrow && fitsLatin1(cell);
    }
    const bool wide = total > 0xFFFF;
    const size_t n = size_t(cells.size());
    const size_t headUnits = 1 + n * (wide ? 2 : 1);
    const size_t charSize = narrow ? 1 : 2;
    auto* block = static_cast<char16_t*>(std::malloc(headUnits * sizeof(char16_t) + total * charSize));
    if (!block)
        throw std::bad_alloc();
    block[0] = char16_t(n | (wide ? 0x8000u : 0u) | (narrow ? 0u : 0x4000u));
    auto* chars = reinterpret_cast<char*>(block + headUnits);
    uint32_t end = 0;
    for (size_t c = 0; c < n; ++c) {
        const QAnyStringView cell = cells[qsizetype(c)];
        if (!cell.isEmpty())
            copyCell(cell, chars + end * charSize, narrow);
        end += uint32_t(cell.size());
        if (wide) {
            block[1 + 2 * c] = char16_t(end >> 16);
            block[2 + 2 * c] = char16_t(end & 0xFFFFu);
        } else {
            block[1 + c] = char16_t(end);
        }
    }
    return block;
}

}  // namespace

ListboxRows::~ListboxRows()
{
    clear();
}

void ListboxRows::insert(int row, const QAnyStringView* cells, int count)
{
    compact();
    row = std::clamp(row, 0, int(mSize));
    // Into an empty list a row goes where room was made for it, at the end first.
    const size_t backRoom = mBuffer.size() - mHead - mSize;
    const bool atFront = mSize == 0 ? backRoom == 0 && mHead > 0 : size_t(row) < mSize / 2 || row == 0;
    if (atFront ? mHead == 0 : mHead + mSize == mBuffer.size())
        makeRoom(atFront);
    const auto first = mBuffer.begin() + ptrdiff_t(mHead);
    if (atFront) {
        std::move(first, first + row, first - 1);
        --mHead;
    } else {
        std::move_backward(first + row, first + ptrdiff_t(mSize), first + ptrdiff_t(mSize) + 1);
    }
    ++mSize;
    ListboxRow& r = mBuffer[mHead + size_t(row)];
    r = ListboxRow();
    CellViews texts;
    texts.append(cells, count);
    r.cells = makeBlock(texts);
    mIndex.inserted(*this, row, cells, count);
}

void ListboxRows::remove(int row)
{
    compact();
    mIndex.rowsChanged();
    std::free(mBuffer[mHead + size_t(row)].cells);
    const auto first = mBuffer.begin() + ptrdiff_t(mHead);
    if (size_t(row) < mSize / 2) {
        std::move_backward(first, first + row, first + row + 1);
        ++mHead;
    } else {
        std::move(first + row + 1, first + ptrdiff_t(mSize), first + row);
    }
    --mSize;
}

void ListboxRows::markRemoved(int row)
{
    mIndex.rowsChanged();
    const size_t slot = physical(row);
    ListboxRow& r = mBuffer[mHead + slot];
    std::free(r.cells);
    r = ListboxRow();
    r.checkBoxes = RemovedBit;
    if (mRemoved == 0)
        buildAliveTree();
    for (size_t i = slot + 1; i <= mSize; i += i & (~i + 1))
        --mAlive[i];
    ++mRemoved;
    mLowestRemoved = std::min(mLowestRemoved, int(slot));
}

void ListboxRows::buildAliveTree()
{
    mAlive.assign(mSize + 1, 1);
    mAlive[0] = 0;
    for (size_t i = 1; i <= mSize; ++i) {
        const size_t parent = i + (i & (~i + 1));
        if (parent <= mSize)
            mAlive[parent] += mAlive[i];
    }
}

size_t ListboxRows::findAlive(int row) const
{
    // The slot of the (row + 1)-th row still alive: descend the tree by powers of two.
    size_t pos = 0;
    int rest = row + 1;
    size_t step = 1;
    while (step * 2 <= mSize)
        step *= 2;
    for (; step > 0; step /= 2) {
        if (pos + step <= mSize && mAlive[pos + step] < rest) {
            pos += step;
            rest -= mAlive[pos];
        }
    }
    return pos;
}

void ListboxRows::compact()
{
    if (mRemoved == 0)
        return;
    const auto first = mBuffer.begin() + ptrdiff_t(mHead);
    const auto end = first + ptrdiff_t(mSize);
    const auto kept = std::remove_if(first + mLowestRemoved, end,
                                     [](const ListboxRow& r) { return (r.checkBoxes & RemovedBit) != 0; });
    mSize = size_t(kept - first);
    mRemoved = 0;
    mLowestRemoved = INT_MAX;
    std::vector<int>().swap(mAlive);
}

void ListboxRows::clear()
{
    for (size_t i = mHead; i < mHead + mSize; ++i)
        std::free(mBuffer[i].cells);
    std::vector<ListboxRow>().swap(mBuffer);
    std::vector<int>().swap(mAlive);
    mHead = mSize = mRemoved = 0;
    mLowestRemoved = INT_MAX;
    mIndex.clear();
}

void ListboxRows::shrink()
{
    compact();
    if (mBuffer.size() <= mSize + mSize / 4 + 64)
        return;
    std::vector<ListboxRow> fitted(mBuffer.begin() + ptrdiff_t(mHead),
                                   mBuffer.begin() + ptrdiff_t(mHead + mSize));
    mBuffer.swap(fitted);
    mHead = 0;
}

void ListboxRows::reserve(size_t front, size_t back)
{
    compact();
    const size_t haveBack = mBuffer.size() - mHead - mSize;
    if (mHead >= front && haveBack >= back)
        return;
    const size_t newFront = std::max(mHead, front);
    std::vector<ListboxRow> grown(newFront + mSize + std::max(haveBack, back));
    std::copy(mBuffer.begin() + ptrdiff_t(mHead), mBuffer.begin() + ptrdiff_t(mHead + mSize),
              grown.begin() + ptrdiff_t(newFront));
    mBuffer.swap(grown);
    mHead = newFront;
}

void ListboxRows::makeRoom(bool atFront)
{
    // The side that ran out grows by the row count, so filling from either end is linear.
    const size_t back = mBuffer.size() - mHead - mSize;
    const size_t growth = std::max<size_t>(mSize, 16);
    const size_t newFront = atFront ? mHead + growth : mHead;
    const size_t newBack = atFront ? back : back + growth;
    std::vector<ListboxRow> grown(newFront + mSize + newBack);
    std::copy(mBuffer.begin() + ptrdiff_t(mHead), mBuffer.begin() + ptrdiff_t(mHead + mSize),
              grown.begin() + ptrdiff_t(newFront));
    mBuffer.swap(grown);
    mHead = newFront;
}

void ListboxRows::setText(int row, int column, QAnyStringView text)
{
    mIndex.textChanged(column);
    ListboxRow& r = at(row);
    CellViews cells;
    readCells(r.cells, cells);
    if (column >= cells.size()) {
        if (text.isEmpty())
            return;
        while (cells.size() <= column)
            cells.append(QAnyStringView());
    }
    cells[column] = text;
    char16_t* block = makeBlock(cells);
    std::free(r.cells);
    r.cells = block;
}

void ListboxRows::truncate(int columns)
{
    mIndex.rowsChanged();
    const uint32_t keep = columns >= MaxCheckColumns ? ~RemovedBit : (1u << columns) - 1;
    for (int row = 0; row < count(); ++row) {
        ListboxRow& r = at(row);
        r.checkBoxes &= keep;
        r.checked &= keep;
        if (!r.cells || int(r.cells[0] & 0x3FFFu) <= columns)
            continue;
        CellViews cells;
        readCells(r.cells, cells);
        cells.resize(columns);
        char16_t* block = makeBlock(cells);
        std::free(r.cells);
        r.cells = block;
    }
}

void ListboxRows::reorder(const std::vector<int>& order)
{
    compact();
    mIndex.rowsChanged();
    std::vector<ListboxRow> sorted(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        sorted[i] = mBuffer[mHead + size_t(order[i])];
    mBuffer.swap(sorted);
    mHead = 0;
    mSize = order.size();
}

void ListboxRows::moveToTop(const std::vector<int>& rows)
{
    compact();
    if (rows.empty())
        return;
    mIndex.rowsChanged();
    std::vector<ListboxRow> moving;
    moving.reserve(rows.size());
    for (int row : rows) {
        ListboxRow& r = mBuffer[mHead + size_t(row)];
        moving.push_back(r);
        r.checkBoxes |= RemovedBit;  // on the slot only: the copy moved stays as it was
    }
    // The rows staying close up at the end, then the moved ones fill the top.
    const auto first = mBuffer.begin() + ptrdiff_t(mHead);
    const auto end = first + ptrdiff_t(mSize);
    auto kept = end;
    for (auto read = end; read != first;) {
        --read;
        if (!(read->checkBoxes & RemovedBit))
            *--kept = *read;
    }
    std::copy(moving.begin(), moving.end(), first);
}
