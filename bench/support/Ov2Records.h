#pragma once

// The bytes of OV2 records, for the files the benchmarks generate.

#include <cstddef>
#include <cstdint>
#include <string>

namespace Bench {

// Little-endian, as every number of the format.
inline void putInt32(std::string& out, int32_t value)
{
    const auto bits = uint32_t(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(char(bits >> shift));
}

inline void putRecordHeader(std::string& out, char type, size_t length)
{
    out.push_back(type);
    putInt32(out, int32_t(length));
}

// A POI record: position in hundred-thousandths of a degree, the text with its closing
// zero, then what an extended record keeps after it.
inline void putPoiRecord(std::string& out, char type, int32_t longitude, int32_t latitude, const std::string& text,
                         const std::string& tail = {})
{
    putRecordHeader(out, type, 13 + text.size() + 1 + tail.size());
    putInt32(out, longitude);
    putInt32(out, latitude);
    out += text;
    out.push_back('\0');
    out += tail;
}

}  // namespace Bench
