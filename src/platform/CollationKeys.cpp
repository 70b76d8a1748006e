#include "platform/CollationKeys.h"

#include "platform/CollationElementKeys.h"

#include <QLocale>
#include <QtEndian>

#include <unicode/ucol.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <type_traits>
#include <utility>

CollationKeys::CollationKeys()
{
    const QLocale locale;
    // QCollator's keys in the C locale are the texts' UTF-8 bytes, letter case and all.
    mCLocale = locale.language() == QLocale::C;
    if (mCLocale)
        return;
    // The collator QCollator opens for this locale, with its settings for CaseInsensitive;
    // a second one skips normalising, which changes nothing for texts below U+0300.
    const QByteArray name = locale.bcp47Name().replace(QLatin1Char('-'), QLatin1Char('_')).toLatin1();
    for (UCollator** collator : {&mCollator, &mUnnormalisedCollator}) {
        UErrorCode status = U_ZERO_ERROR;
        *collator = ucol_open(name.constData(), &status);
        if (U_FAILURE(status)) {
            *collator = nullptr;
            break;
        }
        const UColAttributeValue normalise = collator == &mCollator ? UCOL_ON : UCOL_OFF;
        for (const auto& [attribute, value] : {std::pair{UCOL_NORMALIZATION_MODE, normalise},
                                               {UCOL_STRENGTH, UCOL_SECONDARY},
                                               {UCOL_NUMERIC_COLLATION, UCOL_OFF},
                                               {UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE}}) {
            status = U_ZERO_ERROR;
            ucol_setAttribute(*collator, attribute, value, &status);
        }
    }
    if (!mCollator || !mUnnormalisedCollator)
        mCollatorOfQt.setCaseSensitivity(Qt::CaseInsensitive);
}

CollationKeys::~CollationKeys()
{
    // Its elements read the collator.
    mElementKeys.reset();
    for (UCollator* collator : {mCollator, mUnnormalisedCollator}) {
        if (collator)
            ucol_close(collator);
    }
}

void CollationKeys::build(int count, const std::function<QAnyStringView(int)>& text)
{
    mBytes.clear();
    mOffsets.clear();
    mFallback.clear();
    if (!mCLocale && (!mCollator || !mUnnormalisedCollator)) {
        mFallback.reserve(size_t(count));
        for (int i = 0; i < count; ++i)
            mFallback.push_back(mCollatorOfQt.sortKey(text(i).toString()));
        return;
    }
    // Its table takes milliseconds to make: only for keys wanted, not for every sort.
    if (!mCLocale && !mElementKeysOpened) {
        mElementKeys = CollationElementKeys::open(mCollator);
        mElementKeysOpened = true;
    }
    mOffsets.reserve(size_t(count) + 1);
    // Room for most lists' keys at once: each time the block grew it would be copied into
    // pages touched for the first time, and room never written costs no memory.
    mBytes.reserve(size_t(count) * 96);
    for (int i = 0; i < count; ++i) {
        mOffsets.push_back(mBytes.size());
        if (mCLocale)
            appendUtf8(wide(text(i)));
        else if (mElementKeys)
            appendElementKey(text(i));
        else
            appendCollationKey(wide(text(i)));
    }
    mOffsets.push_back(mBytes.size());
}

QStringView CollationKeys::wide(QAnyStringView text)
{
    return text.visit([this](auto view) -> QStringView {
        using View = decltype(view);
        if constexpr (std::is_same_v<View, QStringView>) {
            return view;
        } else if constexpr (std::is_same_v<View, QLatin1StringView>) {
            mWide.resize(view.size());
            char16_t* units = reinterpret_cast<char16_t*>(mWide.data());
            for (qsizetype i = 0; i < view.size(); ++i)
                units[i] = uchar(view.data()[i]);
            return mWide;
        } else {
            mWide = view.toString();
            return mWide;
        }
    });
}

void CollationKeys::appendElementKey(QAnyStringView text)
{
    text.visit([this](auto view) {
        if constexpr (std::is_same_v<decltype(view), QLatin1StringView>)
            mElementKeys->append(view, mBytes);
        else
            mElementKeys->append(wide(view), mBytes);
    });
}

void CollationKeys::appendCollationKey(QStringView text)
{
    const size_t start = mBytes.size();
    const auto* units = reinterpret_cast<const UChar*>(text.utf16());
    const int length = int(text.size());
    // Below U+0300 every character starts and ends with combining class 0: nothing to normalise.
    const bool belowMarks = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x300; });
    UCollator* const collator = belowMarks ? mUnnormalisedCollator : mCollator;
    // Room for most keys, so most are made in one call.
    size_t room = 16 + size_t(length) + size_t(length) / 4;
    for (;;) {
        mBytes.resize(start + room);
        const int size = ucol_getSortKey(collator, units, length, reinterpret_cast<uint8_t*>(mBytes.data() + start),
                                         int(room));
        if (size <= 0) {
            // QCollator keeps an empty key for a text ICU could not key.
            mBytes.resize(start + 1);
            mBytes[start] = 0;
            return;
        }
        if (size_t(size) <= room) {
            mBytes.resize(start + size_t(size));
            return;
        }
        room = size_t(size);
    }
}

void CollationKeys::appendUtf8(QStringView text)
{
    // As QString::toUtf8 writes it, a lone surrogate as '?'; a zero ends the key early,
    // as it ends QCollator's comparison of the bytes.
    const size_t start = mBytes.size();
    mBytes.resize(start + size_t(text.size()) * 3 + 1);
    char* out = mBytes.data() + start;
    const char16_t* unit = text.utf16();
    const char16_t* const end = unit + text.size();
    while (unit != end) {
        char32_t c = *unit++;
        if (c == 0)
            break;
        if (c < 0x80) {
            *out++ = char(c);
        } else if (c < 0x800) {
            *out++ = char(0xc0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3f));
        } else if (c >= 0xd800 && c < 0xe000) {
            if (c >= 0xdc00 || unit == end || *unit < 0xdc00 || *unit >= 0xe000) {
                *out++ = '?';
                continue;
            }
            c = 0x10000 + ((c - 0xd800) << 10) + (*unit++ - 0xdc00);
            *out++ = char(0xf0 | (c >> 18));
            *out++ = char(0x80 | ((c >> 12) & 0x3f));
            *out++ = char(0x80 | ((c >> 6) & 0x3f));
            *out++ = char(0x80 | (c & 0x3f));
        } else {
            *out++ = char(0xe0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3f));
            *out++ = char(0x80 | (c & 0x3f));
        }
    }
    *out++ = 0;
    mBytes.resize(size_t(out - mBytes.data()));
}

uint64_t CollationKeys::window(int index, size_t depth) const
{
    const size_t start = mOffsets[size_t(index)] + depth;
    const size_t length = mOffsets[size_t(index) + 1] - start;
    if (length >= 8)
        return qFromBigEndian<quint64>(mBytes.data() + start);
    uint64_t value = 0;
    for (size_t i = 0; i < length; ++i)
        value |= uint64_t(uint8_t(mBytes[start + i])) << (56 - 8 * i);
    return value;
}

int CollationKeys::compare(int a, int b) const
{
    if (!mFallback.empty())
        return mFallback[size_t(a)].compare(mFallback[size_t(b)]);
    return std::strcmp(mBytes.data() + mOffsets[size_t(a)], mBytes.data() + mOffsets[size_t(b)]);
}

std::vector<int> CollationKeys::order(bool descending) const
{
    const size_t count = mFallback.empty() ? std::max<size_t>(mOffsets.size(), 1) - 1 : mFallback.size();
    std::vector<int> indexes(count);
    std::iota(indexes.begin(), indexes.end(), 0);
    if (!mFallback.empty()) {
        std::stable_sort(indexes.begin(), indexes.end(),
                         [&](int a, int b) { return descending ? compare(a, b) > 0 : compare(a, b) < 0; });
        return indexes;
    }
    std::vector<Item> items(count);
    for (size_t i = 0; i < count; ++i)
        items[i] = {0, int(i)};
    sortItems(items, descending);
    for (size_t i = 0; i < count; ++i)
        indexes[i] = items[i].index;
    return indexes;
}

void CollationKeys::sortItems(std::vector<Item>& items, bool descending) const
{
    // A stable most-significant-byte-first radix sort: each key's bytes are read once per
    // eight, in passes over contiguous items, not once per comparison.
    constexpr size_t Small = 32;
    constexpr size_t Ahead = 8;
    struct Part {
        size_t first;
        size_t count;
        size_t depth;  // bytes of the keys already sorted on
        size_t known;  // bytes from depth held in the windows
    };
    std::vector<Item> scratch(items.size());
    std::vector<Part> parts{{0, items.size(), 0, 0}};
    while (!parts.empty()) {
        Part part = parts.back();
        parts.pop_back();
        Item* const first = items.data() + part.first;
        bool same = true;
        while (same) {
            if (part.known == 0) {
                for (size_t i = 0; i < part.count; ++i) {
                    if (i + Ahead < part.count)
                        __builtin_prefetch(mBytes.data() + mOffsets[size_t(first[i + Ahead].index)] + part.depth);
                    first[i].window = window(first[i].index, part.depth);
                }
                part.known = 8;
            }
            // Keys alike in all the bytes known skip past them together, so that a text
            // repeated many times is never compared whole; a zero among them ends each key,
            // and keys that end alike are equal.
            const uint64_t window = first[0].window;
            for (size_t i = 1; i < part.count && same; ++i)
                same = first[i].window == window;
            if (same && ((window >> (64 - 8 * part.known)) & 0xff) == 0)
                break;
            if (same) {
                part.depth += part.known;
                part.known = 0;
            } else if (part.count <= Small) {
                insertionSort(first, part.count, part.depth, part.known, descending);
            }
        }
        if (same || part.count <= Small)
            continue;
        // A stable counting pass on the byte at depth, which the windows then drop.
        std::array<size_t, 256> ends{};
        for (size_t i = 0; i < part.count; ++i)
            ++ends[first[i].window >> 56];
        // Keys alike in this byte only move on to the next, in place.
        if (ends[first[0].window >> 56] == part.count) {
            for (size_t i = 0; i < part.count; ++i)
                first[i].window <<= 8;
            parts.push_back({part.first, part.count, part.depth + 1, part.known - 1});
            continue;
        }
        std::array<size_t, 256> counts = ends;
        size_t sum = 0;
        for (size_t b = 0; b < 256; ++b) {
            const size_t byte = descending ? 255 - b : b;
            sum += ends[byte];
            ends[byte] = sum;
        }
        Item* const out = scratch.data() + part.first;
        for (size_t i = part.count; i-- > 0;) {
            const Item item = first[i];
            out[--ends[item.window >> 56]] = {item.window << 8, item.index};
        }
        std::copy(out, out + part.count, first);
        // Keys whose byte at depth is their zero have ended: equal, they stay as they are.
        for (size_t byte = 1; byte < 256; ++byte) {
            if (counts[byte] > 1)
                parts.push_back({part.first + ends[byte], counts[byte], part.depth + 1, part.known - 1});
        }
    }
}

void CollationKeys::insertionSort(Item* items, size_t count, size_t depth, size_t known, bool descending) const
{
    // Windows alike in all their known bytes leave the rest of the keys to compare.
    auto compare = [&](const Item& a, const Item& b) {
        if (a.window != b.window)
            return a.window < b.window ? -1 : 1;
        if (((a.window >> (64 - 8 * known)) & 0xff) == 0)
            return 0;
        return std::strcmp(mBytes.data() + mOffsets[size_t(a.index)] + depth + known,
                           mBytes.data() + mOffsets[size_t(b.index)] + depth + known);
    };
    for (size_t i = 1; i < count; ++i) {
        const Item item = items[i];
        size_t j = i;
        for (; j > 0; --j) {
            const int order = compare(items[j - 1], item);
            if (descending ? order >= 0 : order <= 0)
                break;
            items[j] = items[j - 1];
        }
        items[j] = item;
    }
}
