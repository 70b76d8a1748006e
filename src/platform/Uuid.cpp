#include "platform/Uuid.h"

#include <cstdint>
#include <random>

namespace {

// xoshiro256**: row identifiers must be unique, not secret. Seeded once from the system,
// it draws in nanoseconds where a system draw takes a microsecond, and reading a file
// gives every one of its POIs an identifier.
class IdentifierBits {
public:
    IdentifierBits()
    {
        std::random_device system;
        for (uint64_t& word : mState)
            word = uint64_t(system()) << 32 | system();
        if ((mState[0] | mState[1] | mState[2] | mState[3]) == 0)
            mState[0] = 1;
    }

    uint64_t next()
    {
        const uint64_t result = rotate(mState[1] * 5, 7) * 9;
        const uint64_t t = mState[1] << 17;
        mState[2] ^= mState[0];
        mState[3] ^= mState[1];
        mState[1] ^= mState[2];
        mState[0] ^= mState[3];
        mState[2] ^= t;
        mState[3] = rotate(mState[3], 45);
        return result;
    }

private:
    static uint64_t rotate(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    uint64_t mState[4];
};

// The 32 digits' places in the text, between the dashes after the 8th, 12th, 16th and 20th.
constexpr int kPlaces[32] = {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 14, 15, 16, 17, 19, 20, 21, 22, 24, 25, 26, 27, 28,
    29, 30, 31, 32, 33, 34, 35};

template <typename Char> void writeUuid(Char* out)
{
    thread_local IdentifierBits bits;
    uint64_t high = bits.next();
    uint64_t low = bits.next();
    high = (high & ~uint64_t(0xF000)) | 0x4000; // version 4: random
    low = (low & ~(uint64_t(0xC) << 60)) | (uint64_t(0x8) << 60); // the RFC 4122 variant
    static constexpr char kHex[] = "0123456789ABCDEF";
    out[8] = out[13] = out[18] = out[23] = Char('-');
    for (int i = 0; i < 16; ++i) {
        out[kPlaces[i]] = Char(kHex[(high >> (60 - 4 * i)) & 0xF]);
        out[kPlaces[16 + i]] = Char(kHex[(low >> (60 - 4 * i)) & 0xF]);
    }
}

} // namespace

QString NewUuidText()
{
    QString text;
    NewUuidText(text);
    return text;
}

void NewUuidText(QString& text)
{
    text.resize(36);
    writeUuid(reinterpret_cast<char16_t*>(text.data()));
}

void NewUuidText(char* text)
{
    writeUuid(text);
}
