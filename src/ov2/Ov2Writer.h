#pragma once

#include "Ov2Status.h"

namespace ov2 {

class PoiStore;

// Writes the list as simple POI records into a new file beside the target
// and moves it over the target only once all of it is on disk.
class Ov2Writer {
public:
    static Ov2Status write(const PoiStore& store, const char* path);
};

} // namespace ov2
