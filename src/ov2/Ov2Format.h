#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

// The OV2 byte layout: records that start with a type byte and a
// little-endian 32-bit length; positions in 1/100000 of a degree.
namespace ov2::format {

inline constexpr unsigned char kDeleted = 0;
inline constexpr unsigned char kSkipper = 1;
inline constexpr unsigned char kSimplePoi = 2;
inline constexpr unsigned char kExtendedPoi = 3;

inline constexpr size_t kRecordHeaderSize = 5;   // type and length
inline constexpr size_t kSkipperSize = 21;       // header and the bounding box of its block
inline constexpr size_t kPoiHeaderSize = 13;     // header, longitude, latitude
inline constexpr size_t kLongitudeAt = 5;
inline constexpr size_t kLatitudeAt = 9;

inline constexpr double kUnitsPerDegree = 100000.0;

inline int32_t readInt32(const unsigned char* bytes)
{
    uint32_t value = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16
        | uint32_t(bytes[3]) << 24;
    return static_cast<int32_t>(value);
}

inline void writeInt32(unsigned char* bytes, int32_t value)
{
    uint32_t bits = static_cast<uint32_t>(value);
    bytes[0] = static_cast<unsigned char>(bits);
    bytes[1] = static_cast<unsigned char>(bits >> 8);
    bytes[2] = static_cast<unsigned char>(bits >> 16);
    bytes[3] = static_cast<unsigned char>(bits >> 24);
}

// Rounds to the nearest unit, so that a position read and written again
// never moves; false when the file cannot hold it (not finite, too large).
inline bool toUnits(double degrees, int32_t& units)
{
    double scaled = std::round(degrees * kUnitsPerDegree);
    if (!(scaled >= double(INT32_MIN) && scaled <= double(INT32_MAX)))
        return false;
    units = static_cast<int32_t>(scaled);
    return true;
}

inline double toDegrees(int32_t units)
{
    return units / kUnitsPerDegree;
}

} // namespace ov2::format
