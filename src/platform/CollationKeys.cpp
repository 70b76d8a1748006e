#include "platform/CollationKeys.h"

#include <QLocale>

#include <unicode/ucol.h>

#include <algorithm>
#include <cstring>
#include <utility>

CollationKeys::CollationKeys()
{
    const QLocale locale;
    // QCollator's keys in the C locale are the texts' UTF-8 bytes, letter case and all.
    mCLocale = locale.language() == QLocale::C;
    if (mCLocale)
        return;
    // The collator QCollator opens for this locale, with its settings for CaseInsensitive.
    UErrorCode status = U_ZERO_ERROR;
    mCollator = ucol_open(locale.bcp47Name().replace(QLatin1Char('-'), QLatin1Char('_')).toLatin1().constData(),
                          &status);
    if (U_FAILURE(status)) {
        mCollator = nullptr;
        mCollatorOfQt.setCaseSensitivity(Qt::CaseInsensitive);
        return;
    }
    for (const auto& [attribute, value] : {std::pair{UCOL_NORMALIZATION_MODE, UCOL_ON},
                                           {UCOL_STRENGTH, UCOL_SECONDARY},
                                           {UCOL_NUMERIC_COLLATION, UCOL_OFF},
                                           {UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE}}) {
        status = U_ZERO_ERROR;
        ucol_setAttribute(mCollator, attribute, value, &status);
    }
}

CollationKeys::~CollationKeys()
{
    if (mCollator)
        ucol_close(mCollator);
}

void CollationKeys::build(int count, const std::function<QStringView(int)>& text)
{
    mBytes.clear();
    mOffsets.clear();
    mFallback.clear();
    if (!mCLocale && !mCollator) {
        mFallback.reserve(size_t(count));
        for (int i = 0; i < count; ++i)
            mFallback.push_back(mCollatorOfQt.sortKey(text(i).toString()));
        return;
    }
    mOffsets.reserve(size_t(count) + 1);
    for (int i = 0; i < count; ++i) {
        mOffsets.push_back(mBytes.size());
        if (mCLocale)
            appendUtf8(text(i));
        else
            appendCollationKey(text(i));
    }
    mOffsets.push_back(mBytes.size());
}

void CollationKeys::appendCollationKey(QStringView text)
{
    const size_t start = mBytes.size();
    const auto* units = reinterpret_cast<const UChar*>(text.utf16());
    const int length = int(text.size());
    // Room for most keys, so most are made in one call.
    size_t room = 16 + size_t(length) + size_t(length) / 4;
    for (;;) {
        mBytes.resize(start + room);
        const int size = ucol_getSortKey(mCollator, units, length, reinterpret_cast<uint8_t*>(mBytes.data() + start),
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

uint64_t CollationKeys::prefix(int index) const
{
    if (mOffsets.empty())
        return 0;
    const size_t start = mOffsets[size_t(index)];
    const size_t length = std::min(PrefixBytes, mOffsets[size_t(index) + 1] - start);
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

int CollationKeys::compareAfterPrefix(int a, int b) const
{
    if (mOffsets.empty())
        return compare(a, b);
    // A key that ends within the prefix is equal to any key sharing it.
    const size_t start = mOffsets[size_t(a)];
    if (mOffsets[size_t(a) + 1] - start <= PrefixBytes)
        return 0;
    return std::strcmp(mBytes.data() + start + PrefixBytes, mBytes.data() + mOffsets[size_t(b)] + PrefixBytes);
}
