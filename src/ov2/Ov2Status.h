#pragma once

#include <cstdint>
#include <string>

namespace ov2 {

// The outcome of a library operation: an OV2_ code and, on failure, its words and, for a
// malformed file, the byte offset of the record at fault (-1 when there is none).
struct Ov2Status {
    int32_t code = 0;
    std::string message;
    int64_t offset = -1;

    bool ok() const { return code == 0; }
    static Ov2Status success() { return {}; }
    static Ov2Status failure(int32_t code, std::string message) { return {code, std::move(message), -1}; }
    static Ov2Status failureAt(int32_t code, size_t offset, std::string message)
    {
        return {code, std::move(message), int64_t(offset)};
    }
    // A failure of the operating system, with its reason appended.
    static Ov2Status systemFailure(int32_t code, const std::string& what, int error);
};

} // namespace ov2
