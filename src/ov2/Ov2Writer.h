#pragma once

#include "Ov2Dylib.h"
#include "Ov2Status.h"

#include <string>

namespace ov2 {

class PoiStore;

// Writes the list as simple POI records: into a new file beside the target, moved
// over the target only once all of it is on disk, or into memory.
class Ov2Writer {
public:
    static Ov2Status write(const PoiStore& store, const char* path);
    // The POIs a caller's source gives, block by block, written as the list's are.
    static Ov2Status writeFrom(const char* path, Ov2PoiSource source, void* context);
};

} // namespace ov2
