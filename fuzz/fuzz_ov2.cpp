// libFuzzer target: any bytes read as an OV2 file. A damaged file must fail
// cleanly; a file that reads must write, and read back as the same POIs.

#include "ov2/Ov2Dylib.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

struct Poi {
    std::string description;
    double latitude;
    double longitude;
};

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_ov2: %s (last error: %s)\n", what, ov2LastError());
        std::abort();
    }
}

std::string workFolder()
{
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    std::string folder = std::string(base) + "/fuzz_ov2.XXXXXX";
    check(mkdtemp(folder.data()) != nullptr, "cannot make a work folder");
    return folder;
}

std::vector<Poi> listed()
{
    std::vector<Poi> pois;
    int32_t count = getOv2PoiCount();
    check(count >= 0, "negative count");
    for (int32_t i = 0; i < count; ++i) {
        Poi poi;
        poi.description = getOv2Poi(i, &poi.latitude, &poi.longitude);
        check(std::isfinite(poi.latitude) && std::isfinite(poi.longitude), "position not finite");
        pois.push_back(std::move(poi));
    }
    double latitude = 1;
    double longitude = 1;
    check(*getOv2Poi(count, &latitude, &longitude) == '\0' && latitude == 0 && longitude == 0, "index past the end");
    return pois;
}

bool same(const std::vector<Poi>& a, const std::vector<Poi>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].description != b[i].description || a[i].latitude != b[i].latitude || a[i].longitude != b[i].longitude)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string folder = workFolder();
    static const std::string input = folder + "/input.ov2";
    static const std::string output = folder + "/output.ov2";

    FILE* file = std::fopen(input.c_str(), "wb");
    check(file != nullptr, "cannot write the input");
    check(size == 0 || std::fwrite(data, 1, size, file) == size, "cannot write the input");
    std::fclose(file);

    int32_t result = readOv2(input.c_str());
    if (result != OV2_OK) {
        check(result < 0, "error code not negative");
        check(getOv2PoiCount() == 0, "a failed read left POIs");
        check(*ov2LastError() != '\0', "a failed read without a message");
        return 0;
    }
    const std::vector<Poi> pois = listed();
    if (pois.size() > 1) {
        double distance = DistLatLong(pois.front().latitude, pois.front().longitude, pois.back().latitude, pois.back().longitude);
        check(std::isfinite(distance) && distance >= 0, "distance not a finite number");
    }

    initOv2();
    for (const Poi& poi : pois)
        check(addOv2Poi(poi.description.c_str(), poi.latitude, poi.longitude) == OV2_OK, "a POI read was refused");
    check(writeOv2(output.c_str()) == OV2_OK, "cannot write what was read");
    check(readOv2(output.c_str()) == OV2_OK, "cannot read what was written");
    check(same(listed(), pois), "what was written reads differently");
    return 0;
}
