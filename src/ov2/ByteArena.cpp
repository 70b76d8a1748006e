#include "ByteArena.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace ov2 {

ByteArena::~ByteArena()
{
    std::free(mData);
}

ByteArena::ByteArena(ByteArena&& other) noexcept
    : mData(std::exchange(other.mData, nullptr))
    , mSize(std::exchange(other.mSize, 0))
    , mCapacity(std::exchange(other.mCapacity, 0))
{
}

ByteArena& ByteArena::operator=(ByteArena&& other) noexcept
{
    if (this != &other) {
        std::free(mData);
        mData = std::exchange(other.mData, nullptr);
        mSize = std::exchange(other.mSize, 0);
        mCapacity = std::exchange(other.mCapacity, 0);
    }
    return *this;
}

void ByteArena::allocate(size_t size)
{
    release();
    reserve(size);
    mSize = size;
}

void ByteArena::appendString(const char* bytes, size_t count)
{
    if (count >= mCapacity - mSize) {
        if (count >= SIZE_MAX / 2 - mSize)
            throw std::bad_alloc();
        size_t wanted = mSize + count + 1;
        size_t grown = mCapacity < 4096 ? 4096 : mCapacity * 2;
        reserve(grown > wanted ? grown : wanted);
    }
    std::memcpy(mData + mSize, bytes, count);
    mData[mSize + count] = '\0';
    mSize += count + 1;
}

void ByteArena::release()
{
    std::free(mData);
    mData = nullptr;
    mSize = 0;
    mCapacity = 0;
}

void ByteArena::reserve(size_t capacity)
{
    if (capacity <= mCapacity)
        return;
    void* grown = std::realloc(mData, capacity);
    if (!grown)
        throw std::bad_alloc();
    mData = static_cast<char*>(grown);
    mCapacity = capacity;
}

} // namespace ov2
