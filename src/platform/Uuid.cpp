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

template <typename Char>
void writeUuid(Char* out)
{
    thread_local IdentifierBits bits;
    uint64_t high = bits.next();
    uint64_t low = bits.next();
    high = (high & ~uint64_t(0xF000)) | 0x4000;                                 // version 4: random
    low = (low & ~(uint64_t(0xC) << 60)) | (uint64_t(0x8) << 60);              // the RFC 4122 variant
    static constexpr char kHex[] = "0123456789ABCDEF";
    int written = 0;
    for (uint64_t word : {high, low}) {
        for (int shift = 60; shift >= 0; shift -= 4) {
            if (written == 8 || written == 12 || written == 16 || written == 20)
                *out++ = Char('-');
            *out++ = Char(kHex[(word >> shift) & 0xF]);
            ++written;
        }
    }
}

}  // namespace

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
