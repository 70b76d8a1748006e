#pragma once

#include "Ov2Dylib.h"
#include "Ov2Status.h"

#include <cstddef>

namespace ov2 {

class PoiStore;

// Reads OV2 bytes into a store: from a file, read a few megabytes at a time, or from
// bytes already in memory. Both take the same road from the bytes on.
class Ov2Reader {
public:
    // Replaces the store's POIs by the file's; the store is empty on failure.
    static Ov2Status read(const char* path, PoiStore& store);
    // The same for a file's bytes in memory; they are not kept after the call.
    static Ov2Status parse(const unsigned char* bytes, size_t size, PoiStore& store);
    // Hands the file's POIs to a caller's visitor in blocks once the whole file is checked.
    static Ov2Status visit(const char* path, Ov2PoiVisitor visitor, void* context);
};

} // namespace ov2
