#pragma once

#include <QCollator>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <vector>

struct UCollator;

// Sort keys for many texts, ordering them exactly as a QCollator ignoring letter case
// orders them in the user's language, but packed in one block: no allocation per text.
// They are the same bytes QCollator compares (ICU's keys, or in the C locale the UTF-8
// text), each ending in a zero byte, so two keys compare as strcmp compares them.
class CollationKeys {
public:
    CollationKeys();
    ~CollationKeys();
    CollationKeys(const CollationKeys&) = delete;
    CollationKeys& operator=(const CollationKeys&) = delete;

    // Makes the keys of texts 0 to count - 1, in place of any made before.
    void build(int count, const std::function<QStringView(int)>& text);
    bool isEmpty() const { return mOffsets.empty() && mFallback.empty(); }

    // A key's first eight bytes as a big-endian number, zeros past its end: keys whose
    // prefixes differ compare as the prefixes do.
    uint64_t prefix(int index) const;
    int compare(int a, int b) const;
    // Compares keys already known to share their prefix.
    int compareAfterPrefix(int a, int b) const;

    // Start loading what a comparison of the key reads: the place of its bytes (far
    // ahead), then the bytes themselves.
    void fetchPlace(int index) const
    {
        if (!mOffsets.empty())
            __builtin_prefetch(mOffsets.data() + index);
    }
    void fetchBytes(int index) const
    {
        if (!mOffsets.empty())
            __builtin_prefetch(mBytes.data() + mOffsets[size_t(index)] + PrefixBytes);
    }

private:
    static constexpr size_t PrefixBytes = 8;

    void appendCollationKey(QStringView text);
    void appendUtf8(QStringView text);

    UCollator* mCollator = nullptr;
    bool mCLocale = false;
    std::vector<char> mBytes;
    // Key i is mBytes[mOffsets[i], mOffsets[i + 1]), its zero byte included.
    std::vector<size_t> mOffsets;
    // QCollator's own keys, when ICU has no collator for the language.
    QCollator mCollatorOfQt;
    std::vector<QCollatorSortKey> mFallback;
};
