#include "platform/Latin1Codec.h"

#include "platform/TextFunctions.h"

#include <cstdint>
#include <cstring>

namespace {

// The characters of the bytes 0x80 to 0x9F; 0 marks a byte the code page leaves unassigned.
constexpr char16_t kHighTable[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

bool isUnassigned(char16_t c)
{
    return c >= 0x80 && c <= 0x9F && kHighTable[c - 0x80] == 0;
}

// The byte of one UTF-16 unit outside the surrogates, or -1 when the code page lacks it.
int byteOf(char16_t c)
{
    if ((c > 0 && c < 0x80) || (c >= 0xA0 && c <= 0xFF) || isUnassigned(c))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (kHighTable[i] == c && c != 0)
            return 0x80 + i;
    }
    return -1;
}

// Whether a byte from 0x80 to 0x9F is among them, looked for eight at a time (a byte with
// its bit 7 set and bits 6 and 5 clear): most texts have none, and a file holds a million.
bool hasHighTableBytes(QByteArrayView bytes)
{
    const char* data = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t word;
        std::memcpy(&word, data + i, 8);
        if (word & ~(word << 1) & ~(word << 2) & 0x8080808080808080ull)
            return true;
    }
    for (; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        if (b >= 0x80 && b <= 0x9F)
            return true;
    }
    return false;
}

}  // namespace

QString Latin1Codec::toUnicode(QByteArrayView bytes)
{
    QString text;
    toUnicode(bytes, text);
    return text;
}

void Latin1Codec::toUnicode(QByteArrayView bytes, QString& text)
{
    text.resize(bytes.size());
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = b >= 0x80 && b <= 0x9F && kHighTable[b - 0x80] != 0 ? kHighTable[b - 0x80] : char16_t(b);
    }
}

QAnyStringView Latin1Codec::toText(QByteArrayView bytes, QString& room)
{
    if (!hasHighTableBytes(bytes))
        return QLatin1StringView(bytes.data(), bytes.size());
    for (const char b : bytes) {
        const char16_t c = uchar(b);
        if (c >= 0x80 && c <= 0x9F && !isUnassigned(c)) {
            toUnicode(bytes, room);
            return room;
        }
    }
    return QLatin1StringView(bytes.data(), bytes.size());
}

QByteArray Latin1Codec::fromUnicode(QAnyStringView text, bool* replaced)
{
    QByteArray bytes;
    fromUnicode(text, bytes, replaced);
    return bytes;
}

void Latin1Codec::fromUnicode(QAnyStringView any, QByteArray& bytes, bool* replaced)
{
    if (IsLatin1(any)) {
        // Most of a list's texts: the same bytes but where the code pages differ.
        const QByteArrayView latin1(static_cast<const char*>(any.data()), any.size());
        bytes.resize(latin1.size());
        char* data = bytes.data();
        bool lost = false;
        for (qsizetype i = 0; i < latin1.size(); ++i) {
            const int b = byteOf(uchar(latin1[i]));
            lost = lost || b < 0;
            data[i] = b < 0 ? '?' : char(b);
        }
        if (replaced)
            *replaced = lost;
        return;
    }
    const QString converted = IsUtf16(any) ? QString() : any.toString();
    const QStringView text = IsUtf16(any) ? QStringView(static_cast<const char16_t*>(any.data()), any.size())
                                           : QStringView(converted);
    bytes.resize(text.size());
    char* data = bytes.data();
    qsizetype out = 0;
    bool lost = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int b = -1;
        if (QChar::isHighSurrogate(c)) {
            // One character outside the basic plane: one "?", not two.
            if (i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
                ++i;
        } else if (!QChar::isLowSurrogate(c)) {
            b = byteOf(c);
        }
        if (b < 0) {
            b = '?';
            lost = true;
        }
        data[out++] = char(b);
    }
    bytes.truncate(out);
    if (replaced)
        *replaced = lost;
}
