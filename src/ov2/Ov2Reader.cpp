#include "Ov2Reader.h"

#include "ByteArena.h"
#include "Ov2Dylib.h"
#include "Ov2Format.h"
#include "PoiStore.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ov2 {

namespace {

using namespace format;

class FileHandle {
public:
    explicit FileHandle(int fd) : mFd(fd) {}
    ~FileHandle()
    {
        if (mFd >= 0)
            ::close(mFd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int fd() const { return mFd; }

private:
    int mFd;
};

std::string at(size_t offset)
{
    return " at byte " + std::to_string(offset);
}

size_t minimumLength(unsigned type)
{
    switch (type) {
    case kDeleted:
        return kRecordHeaderSize;
    case kSkipper:
        return kSkipperSize;
    default:
        return kPoiHeaderSize + 1;
    }
}

// Checks every record and hands each POI to onPoi(latitude units, longitude
// units, description, its length).
template <typename OnPoi>
Ov2Status walkRecords(const unsigned char* bytes, size_t size, OnPoi&& onPoi)
{
    size_t pos = 0;
    while (pos < size) {
        unsigned type = bytes[pos];
        if (type > kExtendedPoi)
            return Ov2Status::failureAt(OV2_ERROR_RECORD_TYPE, pos,
                    "unknown record type " + std::to_string(type) + at(pos));
        size_t left = size - pos;
        if (left < kRecordHeaderSize)
            return Ov2Status::failureAt(OV2_ERROR_TRUNCATED, pos, "truncated record" + at(pos) + ": "
                    + std::to_string(left) + " bytes left, too few for its length");
        int64_t length = readInt32(bytes + pos + 1);
        if (length < int64_t(minimumLength(type)))
            return Ov2Status::failureAt(OV2_ERROR_LENGTH, pos, "record" + at(pos) + " too short for type "
                    + std::to_string(type) + ": length " + std::to_string(length) + ", at least "
                    + std::to_string(minimumLength(type)));
        if (uint64_t(length) > left)
            return Ov2Status::failureAt(OV2_ERROR_TRUNCATED, pos, "truncated record" + at(pos) + ": type "
                    + std::to_string(type) + ", length " + std::to_string(length) + ", only "
                    + std::to_string(left) + " bytes left");
        if (type == kSkipper) {
            // The block's records follow at once.
            pos += kSkipperSize;
            continue;
        }
        if (type == kDeleted) {
            pos += size_t(length);
            continue;
        }
        const unsigned char* text = bytes + pos + kPoiHeaderSize;
        const void* nul = std::memchr(text, 0, size_t(length) - kPoiHeaderSize);
        if (!nul)
            return Ov2Status::failureAt(OV2_ERROR_UNTERMINATED, pos, "description" + at(pos + kPoiHeaderSize)
                    + " has no NUL inside its record of " + std::to_string(length) + " bytes" + at(pos));
        onPoi(readInt32(bytes + pos + kLatitudeAt), readInt32(bytes + pos + kLongitudeAt), text,
            size_t(static_cast<const unsigned char*>(nul) - text));
        pos += size_t(length);
    }
    return Ov2Status::success();
}

// A file's bytes mapped for reading once from start to end: the pages already read are
// given back as the reading moves on, so that a large file never stays whole in memory.
class MappedFile {
public:
    ~MappedFile()
    {
        if (mBytes)
            ::munmap(mBytes, mSize);
    }
    Ov2Status open(const char* path)
    {
        if (!path)
            return Ov2Status::failure(OV2_ERROR_ARGUMENT, "no file name given");
        // Non-blocking, so that a FIFO given by mistake cannot hang the open.
        FileHandle file(::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        if (file.fd() < 0)
            return Ov2Status::systemFailure(OV2_ERROR_OPEN, std::string("cannot open ") + path, errno);
        struct stat info;
        if (::fstat(file.fd(), &info) != 0)
            return Ov2Status::systemFailure(OV2_ERROR_READ, std::string("cannot read ") + path, errno);
        if (!S_ISREG(info.st_mode))
            return Ov2Status::failure(OV2_ERROR_OPEN, std::string("cannot open ") + path + ": not a regular file");
        mSize = size_t(info.st_size);
        if (mSize == 0)
            return Ov2Status::success();
        void* mapped = ::mmap(nullptr, mSize, PROT_READ, MAP_PRIVATE, file.fd(), 0);
        if (mapped == MAP_FAILED) {
            mSize = 0;
            return Ov2Status::systemFailure(OV2_ERROR_READ, std::string("cannot read ") + path, errno);
        }
        mBytes = static_cast<unsigned char*>(mapped);
        ::madvise(mBytes, mSize, MADV_SEQUENTIAL);
        return Ov2Status::success();
    }
    const unsigned char* bytes() const { return mBytes; }
    size_t size() const { return mSize; }
    // The pages wholly before offset are not needed again until read anew.
    void release(size_t offset)
    {
        constexpr size_t kStep = size_t(8) << 20;
        const size_t page = size_t(::sysconf(_SC_PAGESIZE));
        const size_t end = offset / page * page;
        if (end >= mReleased + kStep) {
            ::madvise(mBytes + mReleased, end - mReleased, MADV_DONTNEED);
            mReleased = end;
        }
    }
    void rewind()
    {
        release(mSize);
        mReleased = 0;
    }

private:
    unsigned char* mBytes = nullptr;
    size_t mSize = 0;
    size_t mReleased = 0;
};

} // namespace

Ov2Status Ov2Reader::visit(const char* path, Ov2PoiVisitor visitor, void* context)
{
    if (!visitor)
        return Ov2Status::failure(OV2_ERROR_ARGUMENT, "no visitor given");
    MappedFile file;
    Ov2Status status = file.open(path);
    if (!status.ok())
        return status;
    const unsigned char* bytes = file.bytes();
    size_t count = 0;
    status = walkRecords(bytes, file.size(), [&](int32_t, int32_t, const unsigned char* text, size_t) {
        ++count;
        file.release(size_t(text - bytes));
    });
    if (!status.ok())
        return status;
    if (count > size_t(INT32_MAX))
        return Ov2Status::failure(OV2_ERROR_LIMIT, "the file holds more than " + std::to_string(INT32_MAX) + " POIs");
    file.rewind();

    constexpr int32_t kBlock = 1024;
    Ov2PoiRef block[kBlock];
    int32_t filled = 0;
    bool stopped = false;
    // Positions are converted here: the file's units become degrees as readOv2 gives them.
    auto handOver = [&] {
        stopped = visitor(context, int32_t(count), block, filled) != 0;
        filled = 0;
    };
    walkRecords(bytes, file.size(), [&](int32_t latitude, int32_t longitude, const unsigned char* text, size_t length) {
        if (stopped)
            return;
        block[filled++] = {reinterpret_cast<const char*>(text), int32_t(length), toDegrees(latitude), toDegrees(longitude)};
        if (filled == kBlock) {
            handOver();
            file.release(size_t(text - bytes));
        }
    });
    if (filled > 0 && !stopped)
        handOver();
    return Ov2Status::success();
}

Ov2Status Ov2Reader::read(const char* path, PoiStore& store)
{
    store.release();
    // The file's pages are read where the system caches them: no copy of the whole
    // file, only of the descriptions the store keeps.
    MappedFile file;
    Ov2Status status = file.open(path);
    if (!status.ok())
        return status;
    return parse(file.bytes(), file.size(), store);
}

Ov2Status Ov2Reader::parse(const unsigned char* bytes, size_t size, PoiStore& store)
{
    store.release();
    size_t count = 0;
    size_t textSize = 0;
    Ov2Status status = walkRecords(bytes, size, [&](int32_t, int32_t, const unsigned char*, size_t length) {
        ++count;
        textSize += length + 1;
    });
    if (!status.ok())
        return status;
    if (count > size_t(INT32_MAX))
        return Ov2Status::failure(OV2_ERROR_LIMIT, "the file holds more than " + std::to_string(INT32_MAX) + " POIs");

    ByteArena text;
    text.allocate(textSize);
    std::vector<PoiEntry> entries;
    entries.reserve(count);
    size_t kept = 0;
    walkRecords(bytes, size, [&](int32_t latitude, int32_t longitude, const unsigned char* description, size_t length) {
        std::memcpy(text.data() + kept, description, length + 1);
        entries.push_back({toDegrees(latitude), toDegrees(longitude), kept});
        kept += length + 1;
    });
    store.adopt(std::move(text), std::move(entries));
    return Ov2Status::success();
}

} // namespace ov2
