#pragma once

#include "Ov2Status.h"

namespace ov2 {

class ByteArena;
class PoiStore;

// Reads an OV2 file in one go and keeps its descriptions in the very buffer
// it was read into, compacted in place.
class Ov2Reader {
public:
    // Replaces the store's POIs by the file's; the store is empty on failure.
    static Ov2Status read(const char* path, PoiStore& store);

private:
    static Ov2Status load(const char* path, ByteArena& bytes);
    // The bytes become the store's text on success.
    static Ov2Status parse(ByteArena&& bytes, PoiStore& store);
};

} // namespace ov2
