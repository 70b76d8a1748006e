#pragma once

#include <QLatin1StringView>
#include <QStringView>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

struct UCollator;
struct UCollationElements;

// Sort keys made from a collator's collation elements rather than by the collator: the
// bytes of the primary weights, 01, the bytes of the secondary weights, 00. At secondary
// strength, with no scripts reordered and no secondary level read backwards, they order
// texts as the collator's own keys do. A Latin-1 text's key is copied from a table made
// once per character, several times faster than the collator makes its own; a character
// that may join its neighbours (a contraction) sends its text through the collator's
// elements instead.
class CollationElementKeys {
public:
    // Null when the collator's settings keep such keys from ordering as it does.
    static std::unique_ptr<CollationElementKeys> open(UCollator* collator);
    ~CollationElementKeys();
    CollationElementKeys(const CollationElementKeys&) = delete;
    CollationElementKeys& operator=(const CollationElementKeys&) = delete;

    // Appends the text's key, its closing zero included.
    void append(QLatin1StringView text, std::vector<char>& bytes);
    void append(QStringView text, std::vector<char>& bytes);

private:
    static constexpr int PrimaryRoom = 16;
    static constexpr int SecondaryRoom = 8;
    struct Weights {
        char primary[PrimaryRoom] = {};
        char secondary[SecondaryRoom] = {};
        uint8_t primaryLength = 0;
        uint8_t secondaryLength = 0;
        bool throughElements = false;
    };

    explicit CollationElementKeys(UCollationElements* elements);
    bool fillTable(UCollator* collator);

    UCollationElements* mElements;
    std::array<Weights, 256> mLatin1;
    // Room for the key being made.
    std::vector<char> mPrimaries;
    std::vector<char> mSecondaries;
    std::vector<char16_t> mWide;
};
