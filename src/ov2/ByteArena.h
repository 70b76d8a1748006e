#pragma once

#include <cstddef>

namespace ov2 {

// A growable run of bytes without per-byte initialisation. Large blocks come
// from the system allocator, whose realloc moves pages instead of copying.
class ByteArena {
public:
    ByteArena() = default;
    ~ByteArena();
    ByteArena(ByteArena&& other) noexcept;
    ByteArena& operator=(ByteArena&& other) noexcept;
    ByteArena(const ByteArena&) = delete;
    ByteArena& operator=(const ByteArena&) = delete;

    // Makes room for size bytes whose contents are undefined; throws std::bad_alloc.
    void allocate(size_t size);
    // Appends count bytes and a NUL after them; throws std::bad_alloc.
    void appendString(const char* bytes, size_t count);
    void release();

    char* data() { return mData; }
    const char* data() const { return mData; }
    size_t size() const { return mSize; }

private:
    void reserve(size_t capacity);

    char* mData = nullptr;
    size_t mSize = 0;
    size_t mCapacity = 0;
};

} // namespace ov2
