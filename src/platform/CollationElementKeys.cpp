#include "platform/CollationElementKeys.h"

#include <unicode/ucol.h>
#include <unicode/ucoleitr.h>
#include <unicode/uset.h>

#include <algorithm>
#include <cstring>

namespace {

// An element's second half, carrying the low bytes of its weights.
constexpr uint32_t kContinuation = 0xC0;

// Writes the non-zero bytes of the weights of one collation element, given as its two
// 32-bit halves (the second zero when there is none).
void putWeights(uint32_t first, uint32_t second, std::vector<char>& primaries, std::vector<char>& secondaries)
{
    const uint32_t primary = (first & 0xFFFF0000u) | (second >> 16);
    const uint32_t secondary = (first & 0xFF00u) | ((second >> 8) & 0xFFu);
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (const char byte = char(primary >> shift))
            primaries.push_back(byte);
    }
    for (int shift = 8; shift >= 0; shift -= 8) {
        if (const char byte = char(secondary >> shift))
            secondaries.push_back(byte);
    }
}

// The weights of the elements of the text set into the iterator.
void readElements(UCollationElements* elements, std::vector<char>& primaries, std::vector<char>& secondaries)
{
    UErrorCode status = U_ZERO_ERROR;
    int32_t element = ucol_next(elements, &status);
    while (element != UCOL_NULLORDER && U_SUCCESS(status)) {
        const int32_t next = ucol_next(elements, &status);
        if (next != UCOL_NULLORDER && (uint32_t(next) & kContinuation) == kContinuation) {
            putWeights(uint32_t(element), uint32_t(next), primaries, secondaries);
            element = ucol_next(elements, &status);
        } else {
            putWeights(uint32_t(element), 0, primaries, secondaries);
            element = next;
        }
    }
}

bool settingsAllowElementKeys(UCollator* collator)
{
    UErrorCode status = U_ZERO_ERROR;
    const bool plain = ucol_getStrength(collator) == UCOL_SECONDARY
        && ucol_getAttribute(collator, UCOL_FRENCH_COLLATION, &status) == UCOL_OFF
        && ucol_getAttribute(collator, UCOL_CASE_LEVEL, &status) == UCOL_OFF
        && ucol_getAttribute(collator, UCOL_ALTERNATE_HANDLING, &status) == UCOL_NON_IGNORABLE
        && ucol_getAttribute(collator, UCOL_NUMERIC_COLLATION, &status) == UCOL_OFF;
    if (!plain || U_FAILURE(status))
        return false;
    // Reordered scripts move primary weights when the collator writes its keys, not in
    // the elements.
    return ucol_getReorderCodes(collator, nullptr, 0, &status) == 0 && U_SUCCESS(status);
}

} // namespace

std::unique_ptr<CollationElementKeys> CollationElementKeys::open(UCollator* collator)
{
    if (!collator || !settingsAllowElementKeys(collator))
        return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    UCollationElements* elements = ucol_openElements(collator, nullptr, 0, &status);
    if (U_FAILURE(status))
        return nullptr;
    std::unique_ptr<CollationElementKeys> keys(new CollationElementKeys(elements));
    if (!keys->fillTable(collator))
        return nullptr;
    return keys;
}

CollationElementKeys::CollationElementKeys(UCollationElements* elements)
    : mElements(elements)
{ }

CollationElementKeys::~CollationElementKeys()
{
    ucol_closeElements(mElements);
}

bool CollationElementKeys::fillTable(UCollator* collator)
{
    // A contraction made of Latin-1 characters only may join a character after its first to
    // the one before (others need a character a Latin-1 text has not got).
    UErrorCode status = U_ZERO_ERROR;
    USet* contractions = uset_openEmpty();
    ucol_getContractionsAndExpansions(collator, contractions, nullptr, true, &status);
    bool read = U_SUCCESS(status);
    for (int32_t item = 0; read && item < uset_getItemCount(contractions); ++item) {
        UChar32 start = 0;
        UChar32 end = 0;
        UChar text[64];
        status = U_ZERO_ERROR;
        const int32_t length = uset_getItem(contractions, item, &start, &end, text, int32_t(std::size(text)), &status);
        read = U_SUCCESS(status);
        if (!read || !std::all_of(text, text + length, [](UChar c) { return c < 0x100; }))
            continue;
        for (int32_t i = 1; i < length; ++i)
            mLatin1[text[i]].throughElements = true;
    }
    uset_close(contractions);
    if (!read)
        return false;

    for (char16_t c = 0; c < 0x100; ++c) {
        Weights& weights = mLatin1[c];
        mPrimaries.clear();
        mSecondaries.clear();
        status = U_ZERO_ERROR;
        ucol_setText(mElements, reinterpret_cast<const UChar*>(&c), 1, &status);
        if (U_FAILURE(status))
            return false;
        readElements(mElements, mPrimaries, mSecondaries);
        if (mPrimaries.size() > PrimaryRoom || mSecondaries.size() > SecondaryRoom) {
            weights.throughElements = true;
            continue;
        }
        // An ignorable character has no weights at all.
        std::copy(mPrimaries.begin(), mPrimaries.end(), weights.primary);
        std::copy(mSecondaries.begin(), mSecondaries.end(), weights.secondary);
        weights.primaryLength = uint8_t(mPrimaries.size());
        weights.secondaryLength = uint8_t(mSecondaries.size());
    }
    return true;
}

void CollationElementKeys::append(QLatin1StringView text, std::vector<char>& bytes)
{
    const auto* chars = reinterpret_cast<const uint8_t*>(text.data());
    const size_t length = size_t(text.size());
    for (size_t i = 0; i < length; ++i) {
        if (mLatin1[chars[i]].throughElements) {
            mWide.assign(chars, chars + length);
            append(QStringView(mWide.data(), qsizetype(length)), bytes);
            return;
        }
    }
    // Whole table entries are copied and the end moved by their length: one fixed-size copy
    // per character.
    const size_t need = length * (PrimaryRoom + SecondaryRoom) + 2;
    if (mPrimaries.size() < need)
        mPrimaries.resize(need);
    char* out = mPrimaries.data();
    for (size_t i = 0; i < length; ++i) {
        const Weights& weights = mLatin1[chars[i]];
        std::memcpy(out, weights.primary, PrimaryRoom);
        out += weights.primaryLength;
    }
    *out++ = 1;
    for (size_t i = 0; i < length; ++i) {
        const Weights& weights = mLatin1[chars[i]];
        std::memcpy(out, weights.secondary, SecondaryRoom);
        out += weights.secondaryLength;
    }
    *out++ = 0;
    bytes.insert(bytes.end(), mPrimaries.data(), out);
}

void CollationElementKeys::append(QStringView text, std::vector<char>& bytes)
{
    mSecondaries.clear();
    UErrorCode status = U_ZERO_ERROR;
    ucol_setText(mElements, reinterpret_cast<const UChar*>(text.utf16()), int32_t(text.size()), &status);
    // A text the collator cannot take gets the empty text's key.
    if (U_SUCCESS(status))
        readElements(mElements, bytes, mSecondaries);
    bytes.push_back(1);
    bytes.insert(bytes.end(), mSecondaries.begin(), mSecondaries.end());
    bytes.push_back(0);
}
