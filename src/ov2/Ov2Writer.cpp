#include "Ov2Writer.h"

#include "Ov2Dylib.h"
#include "Ov2Format.h"
#include "PoiStore.h"
#include "SafeFile.h"

#include <string>

namespace ov2 {

namespace {

using namespace format;

// Hands every record's bytes to out(bytes, count), in list order.
template <typename Out>
Ov2Status writeRecords(const PoiStore& store, Out&& out)
{
    for (size_t i = 0; i < store.count(); ++i) {
        const PoiEntry& poi = store.entry(i);
        size_t length = store.descriptionLength(i);
        int32_t latitude = 0;
        int32_t longitude = 0;
        if (!toUnits(poi.latitude, latitude) || !toUnits(poi.longitude, longitude))
            return Ov2Status::failure(OV2_ERROR_ARGUMENT, "POI " + std::to_string(i) + " lies beyond what an OV2 file holds");
        if (length > size_t(INT32_MAX) - kPoiHeaderSize - 1)
            return Ov2Status::failure(OV2_ERROR_ARGUMENT, "the description of POI " + std::to_string(i) + " is too long for a record");
        unsigned char header[kPoiHeaderSize];
        header[0] = kSimplePoi;
        writeInt32(header + 1, int32_t(kPoiHeaderSize + length + 1));
        writeInt32(header + kLongitudeAt, longitude);
        writeInt32(header + kLatitudeAt, latitude);
        out(header, sizeof header);
        out(store.description(i), length + 1);
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

Ov2Status Ov2Writer::encode(const PoiStore& store, std::string& bytes)
{
    bytes.clear();
    return writeRecords(store, [&bytes](const void* data, size_t count) {
        bytes.append(static_cast<const char*>(data), count);
    });
}

} // namespace ov2
