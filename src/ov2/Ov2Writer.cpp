#include "Ov2Writer.h"

#include "Ov2Dylib.h"
#include "Ov2Format.h"
#include "PoiStore.h"
#include "SafeFile.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace ov2 {

namespace {

using namespace format;

// Hands one POI's record to out(bytes, count); description is followed by its NUL.
template <typename Out>
Ov2Status writeRecord(size_t index, const char* description, size_t length, double latitudeDegrees,
    double longitudeDegrees, Out&& out)
{
    int32_t latitude = 0;
    int32_t longitude = 0;
    if (!toUnits(latitudeDegrees, latitude) || !toUnits(longitudeDegrees, longitude))
        return Ov2Status::failure(OV2_ERROR_ARGUMENT, "POI " + std::to_string(index) + " lies beyond what an OV2 file holds");
    if (length > size_t(INT32_MAX) - kPoiHeaderSize - 1)
        return Ov2Status::failure(OV2_ERROR_ARGUMENT, "the description of POI " + std::to_string(index) + " is too long for a record");
    unsigned char header[kPoiHeaderSize];
    header[0] = kSimplePoi;
    writeInt32(header + 1, int32_t(kPoiHeaderSize + length + 1));
    writeInt32(header + kLongitudeAt, longitude);
    writeInt32(header + kLatitudeAt, latitude);
    out(header, sizeof header);
    out(description, length);
    out("", 1);
    return Ov2Status::success();
}

// Hands every record's bytes to out(bytes, count), in list order.
template <typename Out>
Ov2Status writeRecords(const PoiStore& store, Out&& out)
{
    for (size_t i = 0; i < store.count(); ++i) {
        const PoiEntry& poi = store.entry(i);
        Ov2Status status = writeRecord(i, store.description(i), store.descriptionLength(i), poi.latitude, poi.longitude, out);
        if (!status.ok())
            return status;
    }
    return Ov2Status::success();
}

} // namespace

Ov2Status Ov2Writer::write(const PoiStore& store, const char* path)
{
    if (!path || !*path)
        return Ov2Status::failure(OV2_ERROR_ARGUMENT, "no file name given");
    SafeFile file;
    Ov2Status status = file.open(path);
    if (!status.ok())
        return status;
    status = writeRecords(store, [&file](const void* bytes, size_t count) { file.write(bytes, count); });
    if (!status.ok())
        return status;
    return file.commit();
}

Ov2Status Ov2Writer::writeFrom(const char* path, Ov2PoiSource source, void* context)
{
    if (!path || !*path || !source)
        return Ov2Status::failure(OV2_ERROR_ARGUMENT, "no file name or source given");
    SafeFile file;
    Ov2Status status = file.open(path);
    if (!status.ok())
        return status;
    auto out = [&file](const void* bytes, size_t count) { file.write(bytes, count); };
    constexpr int32_t kBlock = 1024;
    Ov2PoiRef pois[kBlock];
    int32_t first = 0;
    for (;;) {
        const int32_t given = std::clamp(source(context, first, pois, kBlock), 0, kBlock);
        for (int32_t i = 0; i < given; ++i) {
            const Ov2PoiRef& poi = pois[i];
            if (!poi.description || poi.length < 0 || std::memchr(poi.description, 0, size_t(poi.length)))
                return Ov2Status::failure(OV2_ERROR_ARGUMENT, "POI " + std::to_string(first + i) + " has no description it can hold");
            status = writeRecord(size_t(first) + size_t(i), poi.description, size_t(poi.length), poi.latitude, poi.longitude, out);
            if (!status.ok())
                return status;
        }
        if (given < kBlock)
            break;
        if (first > INT32_MAX - kBlock)
            return Ov2Status::failure(OV2_ERROR_LIMIT, "more than " + std::to_string(INT32_MAX) + " POIs");
        first += kBlock;
    }
    return file.commit();
}

} // namespace ov2
