#include "platform/Uuid.h"

#include <QRandomGenerator>

QString NewUuidText()
{
    QString text;
    NewUuidText(text);
    return text;
}

void NewUuidText(QString& text)
{
    // Row identifiers must be unique, not secret: the generator seeded once from the
    // system draws in nanoseconds, where a system draw per identifier takes a
    // microsecond, and reading a file gives every one of its POIs an identifier.
    quint32 bits[4];
    QRandomGenerator::global()->fillRange(bits);
    bits[1] = (bits[1] & 0xFFFF0FFFu) | 0x00004000u;  // version 4: random
    bits[2] = (bits[2] & 0x3FFFFFFFu) | 0x80000000u;  // the RFC 4122 variant

    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    text.resize(36);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    int written = 0;
    for (quint32 word : bits) {
        for (int shift = 28; shift >= 0; shift -= 4) {
            if (written == 8 || written == 12 || written == 16 || written == 20)
                *out++ = u'-';
            *out++ = kHex[(word >> shift) & 0xF];
            ++written;
        }
    }
}
