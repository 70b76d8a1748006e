#include "Ov2Reader.h"

#include "ByteArena.h"
#include "Ov2Dylib.h"
#include "Ov2Format.h"
#include "PoiStore.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ov2 {

namespace {

using namespace format;

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

// Some of a file's bytes: `size` bytes from the file's offset `base`, of a file of
// `fileSize` bytes; `last` when they reach its end.
struct Window {
    const unsigned char* bytes;
    size_t size;
    size_t base;
    size_t fileSize;
    bool last;
};

// Checks every record and hands each POI to onPoi(latitude units, longitude
// units, description, its length). A window that is not the last stops at the first
// record not wholly in it and gives its place in `unfinished`.
template <typename OnPoi>
Ov2Status walkRecords(const Window& window, OnPoi&& onPoi, size_t* unfinished = nullptr)
{
    const unsigned char* bytes = window.bytes;
    size_t pos = 0;
    while (pos < window.size) {
        const size_t offset = window.base + pos;
        const size_t inWindow = window.size - pos;
        const size_t left = window.fileSize - offset;
        if (!window.last && inWindow < kSkipperSize) {
            *unfinished = pos;
            return Ov2Status::success();
        }
        unsigned type = bytes[pos];
        if (type > kExtendedPoi)
            return Ov2Status::failureAt(OV2_ERROR_RECORD_TYPE, offset,
                    "unknown record type " + std::to_string(type) + at(offset));
        if (left < kRecordHeaderSize)
            return Ov2Status::failureAt(OV2_ERROR_TRUNCATED, offset, "truncated record" + at(offset) + ": "
                    + std::to_string(left) + " bytes left, too few for its length");
        int64_t length = readInt32(bytes + pos + 1);
        if (length < int64_t(minimumLength(type)))
            return Ov2Status::failureAt(OV2_ERROR_LENGTH, offset, "record" + at(offset) + " too short for type "
                    + std::to_string(type) + ": length " + std::to_string(length) + ", at least "
                    + std::to_string(minimumLength(type)));
        if (uint64_t(length) > left)
            return Ov2Status::failureAt(OV2_ERROR_TRUNCATED, offset, "truncated record" + at(offset) + ": type "
                    + std::to_string(type) + ", length " + std::to_string(length) + ", only "
                    + std::to_string(left) + " bytes left");
        if (type == kSkipper) {
            // The block's records follow at once.
            pos += kSkipperSize;
            continue;
        }
        if (uint64_t(length) > inWindow) {
            *unfinished = pos;
            return Ov2Status::success();
        }
        if (type == kDeleted) {
            pos += size_t(length);
            continue;
        }
        const unsigned char* text = bytes + pos + kPoiHeaderSize;
        const void* nul = std::memchr(text, 0, size_t(length) - kPoiHeaderSize);
        if (!nul)
            return Ov2Status::failureAt(OV2_ERROR_UNTERMINATED, offset, "description" + at(offset + kPoiHeaderSize)
                    + " has no NUL inside its record of " + std::to_string(length) + " bytes" + at(offset));
        onPoi(readInt32(bytes + pos + kLatitudeAt), readInt32(bytes + pos + kLongitudeAt), text,
            size_t(static_cast<const unsigned char*>(nul) - text));
        pos += size_t(length);
    }
    return Ov2Status::success();
}

template <typename OnPoi>
Ov2Status walkRecords(const unsigned char* bytes, size_t size, OnPoi&& onPoi)
{
    return walkRecords(Window{bytes, size, 0, size, true}, onPoi);
}

// A regular file read from start to end through a window of its bytes, each record whole
// in it: memory holds a few megabytes rather than the file, and a file that another
// program shortens or rewrites meanwhile gives an error, never the fault (SIGBUS) that a
// mapping of it would.
class FileReader {
public:
    FileReader() = default;
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;
    ~FileReader()
    {
        if (mFd >= 0)
            ::close(mFd);
    }
    Ov2Status open(const char* path)
    {
        if (!path)
            return Ov2Status::failure(OV2_ERROR_ARGUMENT, "no file name given");
        mPath = path;
        // Non-blocking, so that a FIFO given by mistake cannot hang the open.
        mFd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (mFd < 0)
            return Ov2Status::systemFailure(OV2_ERROR_OPEN, "cannot open " + mPath, errno);
        struct stat info;
        if (::fstat(mFd, &info) != 0)
            return Ov2Status::systemFailure(OV2_ERROR_READ, "cannot read " + mPath, errno);
        if (!S_ISREG(info.st_mode))
            return Ov2Status::failure(OV2_ERROR_OPEN, "cannot open " + mPath + ": not a regular file");
        mSize = size_t(info.st_size);
        return Ov2Status::success();
    }

    // Walks the records from the file's start, as walkRecords over the whole file would.
    // The descriptions handed to onPoi stay in place until the window moves on or goes,
    // which windowDone() is told first.
    template <typename OnPoi, typename WindowDone>
    Ov2Status walk(OnPoi&& onPoi, WindowDone&& windowDone)
    {
        constexpr size_t kWindowBytes = size_t(4) << 20;
        std::vector<unsigned char> window(std::min(kWindowBytes, std::max<size_t>(mSize, kSkipperSize)));
        size_t base = 0;
        size_t filled = 0;
        bool last = false;
        for (;;) {
            while (!last && filled < window.size()) {
                const ssize_t got = ::pread(mFd, window.data() + filled, window.size() - filled, off_t(base + filled));
                if (got < 0 && errno == EINTR)
                    continue;
                if (got < 0)
                    return Ov2Status::systemFailure(OV2_ERROR_READ, "cannot read " + mPath, errno);
                last = got == 0;
                filled += size_t(got);
            }
            // At the end the file's size is what could be read, whatever it was at the start.
            const size_t fileSize = last ? base + filled : std::max(mSize, base + filled);
            size_t unfinished = filled;
            const Ov2Status status = walkRecords(Window{window.data(), filled, base, fileSize, last}, onPoi, &unfinished);
            if (!status.ok())
                return status;
            windowDone();
            if (last)
                return status;
            if (unfinished == 0) {
                // A record longer than the window: the window grows until it holds it, or the file ends.
                window.resize(window.size() * 2);
                continue;
            }
            std::memmove(window.data(), window.data() + unfinished, filled - unfinished);
            base += unfinished;
            filled -= unfinished;
        }
    }

private:
    std::string mPath;
    int mFd = -1;
    size_t mSize = 0;
};

// Two walks over the records: the first sizes the store, the second fills it. A file
// changed between them walks otherwise the second time: what no longer fits is an error,
// never written past the room made.
template <typename Walk>
Ov2Status fill(Walk&& walk, PoiStore& store)
{
    store.release();
    size_t count = 0;
    size_t textSize = 0;
    Ov2Status status = walk([&](int32_t, int32_t, const unsigned char*, size_t length) {
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
    bool changed = false;
    status = walk([&](int32_t latitude, int32_t longitude, const unsigned char* description, size_t length) {
        changed = changed || entries.size() == count || length + 1 > textSize - kept;
        if (changed)
            return;
        std::memcpy(text.data() + kept, description, length + 1);
        entries.push_back({toDegrees(latitude), toDegrees(longitude), kept});
        kept += length + 1;
    });
    if (status.ok() && changed)
        status = Ov2Status::failure(OV2_ERROR_READ, "the file changed while it was read");
    if (!status.ok())
        return status;
    store.adopt(std::move(text), std::move(entries));
    return Ov2Status::success();
}

} // namespace

Ov2Status Ov2Reader::visit(const char* path, Ov2PoiVisitor visitor, void* context)
{
    if (!visitor)
        return Ov2Status::failure(OV2_ERROR_ARGUMENT, "no visitor given");
    FileReader file;
    Ov2Status status = file.open(path);
    if (!status.ok())
        return status;
    size_t count = 0;
    status = file.walk([&](int32_t, int32_t, const unsigned char*, size_t) { ++count; }, [] {});
    if (!status.ok())
        return status;
    if (count > size_t(INT32_MAX))
        return Ov2Status::failure(OV2_ERROR_LIMIT, "the file holds more than " + std::to_string(INT32_MAX) + " POIs");

    constexpr int32_t kBlock = 1024;
    Ov2PoiRef block[kBlock];
    int32_t filled = 0;
    bool stopped = false;
    // Positions are converted here: the file's units become degrees as readOv2 gives them.
    auto handOver = [&] {
        stopped = visitor(context, int32_t(count), block, filled) != 0;
        filled = 0;
    };
    // The file is read again: should it have changed since the check, this says where.
    status = file.walk([&](int32_t latitude, int32_t longitude, const unsigned char* text, size_t length) {
        if (stopped)
            return;
        block[filled++] = {reinterpret_cast<const char*>(text), int32_t(length), toDegrees(latitude), toDegrees(longitude)};
        if (filled == kBlock)
            handOver();
    }, [&] {
        if (filled > 0 && !stopped)
            handOver();
    });
    return status;
}

Ov2Status Ov2Reader::read(const char* path, PoiStore& store)
{
    store.release();
    FileReader file;
    const Ov2Status status = file.open(path);
    if (!status.ok())
        return status;
    // The store copies each description as it comes.
    return fill([&file](auto&& onPoi) { return file.walk(onPoi, [] {}); }, store);
}

Ov2Status Ov2Reader::parse(const unsigned char* bytes, size_t size, PoiStore& store)
{
    return fill([bytes, size](auto&& onPoi) { return walkRecords(bytes, size, onPoi); }, store);
}

} // namespace ov2
