#include "Ov2Dylib.h"

#include "Distance.h"
#include "Ov2Format.h"
#include "Ov2Reader.h"
#include "Ov2Status.h"
#include "Ov2Writer.h"
#include "PoiStore.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

using ov2::Ov2Status;

namespace {

// The one list the library keeps between calls, and what the last call said.
ov2::PoiStore gStore;
std::string gLastError;
int64_t gLastOffset = -1;
// POIs that addOv2Poi refused since the list was last emptied or replaced.
size_t gRefused = 0;

int32_t report(const Ov2Status& status)
{
    gLastOffset = status.offset;
    try {
        gLastError = status.message;
    } catch (...) {
        gLastError.clear();
    }
    return status.code;
}

// No exception may cross the C interface.
template <typename Operation>
int32_t guarded(Operation&& operation)
{
    try {
        return report(operation());
    } catch (const std::bad_alloc&) {
        return report(Ov2Status::failure(OV2_ERROR_NO_MEMORY, "not enough memory"));
    }
}

void emptyList()
{
    gStore.release();
    gRefused = 0;
}

std::string shortNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

Ov2Status addPoi(const char* description, double latitude, double longitude)
{
    using namespace ov2::format;
    if (!description)
        return Ov2Status::failure(OV2_ERROR_ARGUMENT, "no description given");
    size_t length = std::strlen(description);
    if (length > size_t(INT32_MAX) - kPoiHeaderSize - 1)
        return Ov2Status::failure(OV2_ERROR_ARGUMENT, "a description of " + std::to_string(length) + " bytes is too long for a record");
    int32_t units = 0;
    if (!toUnits(latitude, units) || !toUnits(longitude, units))
        return Ov2Status::failure(OV2_ERROR_ARGUMENT, "position " + shortNumber(latitude) + ", "
                + shortNumber(longitude) + " lies beyond what an OV2 file holds");
    if (gStore.count() >= size_t(INT32_MAX))
        return Ov2Status::failure(OV2_ERROR_LIMIT, "the list already holds " + std::to_string(INT32_MAX) + " POIs");
    gStore.add(description, length, latitude, longitude);
    return Ov2Status::success();
}

} // namespace

extern "C" {

int32_t initOv2(void)
{
    emptyList();
    return report(Ov2Status::success());
}

int32_t readOv2(const char* path)
{
    emptyList();
    return guarded([path] { return ov2::Ov2Reader::read(path, gStore); });
}

int32_t getOv2PoiCount(void)
{
    return int32_t(gStore.count());
}

const char* getOv2Poi(int32_t index, double* latitude, double* longitude)
{
    bool inRange = index >= 0 && size_t(index) < gStore.count();
    if (latitude)
        *latitude = inRange ? gStore.entry(size_t(index)).latitude : 0.0;
    if (longitude)
        *longitude = inRange ? gStore.entry(size_t(index)).longitude : 0.0;
    return inRange ? gStore.description(size_t(index)) : "";
}

int32_t getOv2Pois(int32_t first, int32_t count, Ov2PoiRef* out)
{
    if (!out || first < 0 || count < 1 || size_t(first) >= gStore.count())
        return 0;
    size_t end = std::min(gStore.count(), size_t(first) + size_t(count));
    for (size_t i = size_t(first); i < end; ++i) {
        const ov2::PoiEntry& entry = gStore.entry(i);
        *out++ = {gStore.description(i), int32_t(gStore.descriptionLength(i)), entry.latitude, entry.longitude};
    }
    return int32_t(end - size_t(first));
}

int32_t deInitOv2(void)
{
    emptyList();
    return report(Ov2Status::success());
}

int32_t addOv2Poi(const char* description, double latitude, double longitude)
{
    int32_t code = guarded([=] { return addPoi(description, latitude, longitude); });
    if (code != OV2_OK)
        ++gRefused;
    return code;
}

int32_t writeOv2(const char* path)
{
    if (gRefused > 0)
        return report(Ov2Status::failure(OV2_ERROR_INCOMPLETE, std::to_string(gRefused)
                + " POI(s) were refused since the list was emptied; writing would lose them"));
    return guarded([path] { return ov2::Ov2Writer::write(gStore, path); });
}

int32_t readOv2Each(const char* path, Ov2PoiVisitor visit, void* context)
{
    return guarded([=] { return ov2::Ov2Reader::visit(path, visit, context); });
}

int32_t writeOv2Each(const char* path, Ov2PoiSource source, void* context)
{
    return guarded([=] { return ov2::Ov2Writer::writeFrom(path, source, context); });
}

double DistLatLong(double lat1, double lon1, double lat2, double lon2)
{
    return ov2::greatCircleKm(lat1, lon1, lat2, lon2);
}

const char* ov2LastError(void)
{
    return gLastError.c_str();
}

int64_t ov2LastErrorOffset(void)
{
    return gLastOffset;
}

} // extern "C"
