#pragma once

#include <QAnyStringView>
#include <QCollator>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CollationElementKeys;
struct UCollator;

// Sort keys for many texts, ordering them exactly as a QCollator ignoring letter case
// orders them in the user's language, but packed in one block: no allocation per text.
// They are keys made from ICU's collation elements where those order as ICU's own keys
// do, ICU's keys otherwise, or in the C locale the UTF-8 text, as QCollator compares it;
// each ends in a zero byte, so two keys compare as strcmp compares them.
class CollationKeys {
public:
    CollationKeys();
    ~CollationKeys();
    CollationKeys(const CollationKeys&) = delete;
    CollationKeys& operator=(const CollationKeys&) = delete;

    // Makes the keys of texts 0 to count - 1, in place of any made before.
    void build(int count, const std::function<QAnyStringView(int)>& text);
    bool isEmpty() const { return mOffsets.empty() && mFallback.empty(); }

    int compare(int a, int b) const;
    // The indexes in their keys' order, equal keys in index order (either way).
    std::vector<int> order(bool descending) const;

private:
    // A key being sorted, with up to eight of its bytes from the depth reached, first byte
    // highest and zeros past the key's end.
    struct Item {
        uint64_t window;
        int index;
    };

    // The text in UTF-16, in a buffer kept for the next text when it is stored otherwise.
    QStringView wide(QAnyStringView text);
    void appendElementKey(QAnyStringView text);
    void appendCollationKey(QStringView text);
    void appendUtf8(QStringView text);
    uint64_t window(int index, size_t depth) const;
    void sortItems(std::vector<Item>& items, bool descending) const;
    void insertionSort(Item* items, size_t count, size_t depth, size_t known, bool descending) const;

    UCollator* mCollator = nullptr;
    UCollator* mUnnormalisedCollator = nullptr;
    bool mCLocale = false;
    std::unique_ptr<CollationElementKeys> mElementKeys;
    bool mElementKeysOpened = false;
    QString mWide;
    std::vector<char> mBytes;
    // Key i is mBytes[mOffsets[i], mOffsets[i + 1]), its zero byte included.
    std::vector<size_t> mOffsets;
    // QCollator's own keys, when ICU has no collator for the language.
    QCollator mCollatorOfQt;
    std::vector<QCollatorSortKey> mFallback;
};
