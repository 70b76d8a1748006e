#pragma once

#include <algorithm>
#include <vector>

// A stable merge sort that only ever asks whether one item must come after another, so a
// comparison that is no strict weak ordering (one that calls equal items "less" in both
// orders) still gives a sorted result and never breaks the sort.
template <class Greater>
void stableMergeSort(std::vector<int>& items, Greater greater)
{
    const size_t n = items.size();
    constexpr size_t Run = 8;
    for (size_t lo = 0; lo < n; lo += Run) {
        const size_t hi = std::min(n, lo + Run);
        for (size_t i = lo + 1; i < hi; ++i) {
            const int item = items[i];
            size_t j = i;
            for (; j > lo && greater(items[j - 1], item); --j)
                items[j] = items[j - 1];
            items[j] = item;
        }
    }
    if (n <= Run)
        return;
    std::vector<int> buffer(n);
    int* from = items.data();
    int* to = buffer.data();
    for (size_t width = Run; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(n, lo + width);
            const size_t hi = std::min(n, lo + 2 * width);
            if (mid == hi || !greater(from[mid - 1], from[mid])) {
                std::copy(from + lo, from + hi, to + lo);
                continue;
            }
            size_t i = lo;
            size_t j = mid;
            size_t k = lo;
            while (i < mid && j < hi)
                to[k++] = greater(from[i], from[j]) ? from[j++] : from[i++];
            std::copy(from + i, from + mid, to + k);
            std::copy(from + j, from + hi, to + k + (mid - i));
        }
        std::swap(from, to);
    }
    if (from != items.data())
        std::copy(from, from + n, items.data());
}
