#include "PoiStore.h"

#include <utility>

namespace ov2 {

size_t PoiStore::descriptionLength(size_t index) const
{
    size_t end = index + 1 < mEntries.size() ? mEntries[index + 1].textOffset : mText.size();
    return end - mEntries[index].textOffset - 1;
}

void PoiStore::add(const char* description, size_t length, double latitude, double longitude)
{
    mEntries.push_back({latitude, longitude, mText.size()});
    try {
        mText.appendString(description, length);
    } catch (...) {
        mEntries.pop_back();
        throw;
    }
}

void PoiStore::adopt(ByteArena&& text, std::vector<PoiEntry>&& entries)
{
    mText = std::move(text);
    mEntries = std::move(entries);
}

void PoiStore::release()
{
    mText.release();
    std::vector<PoiEntry>().swap(mEntries);
}

} // namespace ov2
