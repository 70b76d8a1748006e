#pragma once

#include "ByteArena.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ov2 {

// One POI of the list; its description lies in the store's text arena.
struct PoiEntry {
    double latitude;
    double longitude;
    size_t textOffset;
};

// The library's list of POIs: every description NUL-terminated in one byte
// arena, one small fixed-size entry per POI, no allocation of its own per POI.
class PoiStore {
public:
    size_t count() const { return mEntries.size(); }
    const PoiEntry& entry(size_t index) const { return mEntries[index]; }
    const char* description(size_t index) const { return mText.data() + mEntries[index].textOffset; }
    // Length without the NUL: descriptions follow each other in the arena.
    size_t descriptionLength(size_t index) const;

    // Throws std::bad_alloc and then leaves the list as it was.
    void add(const char* description, size_t length, double latitude, double longitude);
    // Takes over an arena and the entries that point into it.
    void adopt(ByteArena&& text, std::vector<PoiEntry>&& entries);
    void release();

private:
    ByteArena mText;
    std::vector<PoiEntry> mEntries;
};

} // namespace ov2
