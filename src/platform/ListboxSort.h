#pragma once

#include <algorithm>
#include <vector>

namespace ListboxSortDetail {

constexpr size_t Run = 8;
// Merges this large reach past the caches: the items a few steps ahead are fetched early.
constexpr size_t FarMerge = 1 << 15;
constexpr size_t Near = 8;
constexpr size_t Far = 16;

struct NoFetch {
    void near(int) const {}
    void far(int) const {}
};

// Sorts items[0, n) with buffer[0, n / 2] as room. Depth first, so each part sorted touches
// only its own rows and stays in the cache until it is large.
template <class Greater, class Fetch>
void sortRange(int* items, int* buffer, size_t n, Greater& greater, const Fetch& fetch)
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
    sortRange(items, buffer, half, greater, fetch);
    sortRange(items + half, buffer, n - half, greater, fetch);
    if (!greater(items[half - 1], items[half]))
        return;
    std::copy(items, items + half, buffer);
    size_t i = 0;
    size_t j = half;
    size_t k = 0;
    if (n >= FarMerge) {
        while (i + Far < half && j + Far < n) {
            fetch.far(buffer[i + Far]);
            fetch.far(items[j + Far]);
            fetch.near(buffer[i + Near]);
            fetch.near(items[j + Near]);
            items[k++] = greater(buffer[i], items[j]) ? items[j++] : buffer[i++];
        }
    }
    while (i < half && j < n)
        items[k++] = greater(buffer[i], items[j]) ? items[j++] : buffer[i++];
    std::copy(buffer + i, buffer + half, items + k);
}

}  // namespace ListboxSortDetail

// A stable merge sort that only ever asks whether one item must come after another, so a
// comparison that is no strict weak ordering (one that calls equal items "less" in both
// orders) still gives a sorted result and never breaks the sort. `fetch` may start loading
// what the comparison of an item will read (far: what leads to its data; near: the data).
template <class Greater, class Fetch = ListboxSortDetail::NoFetch>
void stableMergeSort(std::vector<int>& items, Greater greater, const Fetch& fetch = {})
{
    std::vector<int> buffer(items.size() / 2 + 1);
    ListboxSortDetail::sortRange(items.data(), buffer.data(), items.size(), greater, fetch);
}
