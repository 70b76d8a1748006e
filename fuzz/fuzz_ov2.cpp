// libFuzzer target: any bytes read as an OV2 file, in memory. A damaged file must
// fail cleanly; a file that reads must write, and read back as the same POIs.

#include "ov2/Distance.h"
#include "ov2/Ov2Reader.h"
#include "ov2/Ov2Writer.h"
#include "ov2/PoiStore.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void check(bool condition, const char* what, const ov2::Ov2Status& status = {})
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_ov2: %s (status %d: %s)\n", what, status.code, status.message.c_str());
        std::abort();
    }
}

void checkPois(const ov2::PoiStore& store)
{
    for (size_t i = 0; i < store.count(); ++i) {
        const ov2::PoiEntry& poi = store.entry(i);
        check(std::isfinite(poi.latitude) && std::isfinite(poi.longitude), "position not finite");
        check(std::strlen(store.description(i)) == store.descriptionLength(i), "description length");
    }
    if (store.count() > 1) {
        const ov2::PoiEntry& first = store.entry(0);
        const ov2::PoiEntry& last = store.entry(store.count() - 1);
        double distance = ov2::greatCircleKm(first.latitude, first.longitude, last.latitude, last.longitude);
        check(std::isfinite(distance) && distance >= 0, "distance not a finite number");
    }
}

bool same(const ov2::PoiStore& a, const ov2::PoiStore& b)
{
    if (a.count() != b.count())
        return false;
    for (size_t i = 0; i < a.count(); ++i) {
        if (std::strcmp(a.description(i), b.description(i)) != 0 || a.entry(i).latitude != b.entry(i).latitude
            || a.entry(i).longitude != b.entry(i).longitude)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ov2::PoiStore pois;
    ov2::Ov2Status status = ov2::Ov2Reader::parse(data, size, pois);
    if (!status.ok()) {
        check(status.code < 0, "error code not negative", status);
        check(pois.count() == 0, "a failed read left POIs", status);
        check(!status.message.empty(), "a failed read without a message", status);
        return 0;
    }
    checkPois(pois);

    std::string written;
    status = ov2::Ov2Writer::encode(pois, written);
    check(status.ok(), "cannot write what was read", status);
    ov2::PoiStore again;
    status = ov2::Ov2Reader::parse(reinterpret_cast<const unsigned char*>(written.data()), written.size(), again);
    check(status.ok(), "cannot read what was written", status);
    check(same(again, pois), "what was written reads differently");
    return 0;
}
