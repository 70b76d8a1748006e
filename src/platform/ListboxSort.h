#pragma once

#include <algorithm>
#include <vector>

namespace ListboxSortDetail {

constexpr size_t Run = 8;

// Sorts items[0, n) with buffer[0, n / 2] as room. Depth first, so each part sorted touches
// only its own rows and stays in the cache until it is large.
template <class Greater>
void sortRange(int* items, int* buffer, size_t n, Greater& greater)
{
    if (n <= Run) {
        for (size_t i = 1; i < n; ++i) {
            const int item = items[i];
            size_t j = i;
            for (; j > 0 && greater(items[j - 1], item); --j)
                items[j] = items[j - 1];
            items[j] = item;
        }
        return;
    }
    const size_t half = n / 2;
    sortRange(items, buffer, half, greater);
    sortRange(items + half, buffer, n - half, greater);
    if (!greater(items[half - 1], items[half]))
        return;
    std::copy(items, items + half, buffer);
    size_t i = 0;
    size_t j = half;
    size_t k = 0;
    while (i < half && j < n)
        items[k++] = greater(buffer[i], items[j]) ? items[j++] : buffer[i++];
    std::copy(buffer + i, buffer + half, items + k);
}

}  // namespace ListboxSortDetail

// A stable merge sort that only ever asks whether one item must come after another, so a
// comparison that is no strict weak ordering (one that calls equal items "less" in both
// orders) still gives a sorted result and never breaks the sort.
template <class Greater>
void stableMergeSort(std::vector<int>& items, Greater greater)
{
    std::vector<int> buffer(items.size() / 2 + 1);
    ListboxSortDetail::sortRange(items.data(), buffer.data(), items.size(), greater);
}
