#pragma once

#include <cstdint>
#include <string>

namespace ov2 {

// The outcome of a library operation: an OV2_ code and, on failure, its words.
struct Ov2Status {
    int32_t code = 0;
    std::string message;

    bool ok() const { return code == 0; }
    static Ov2Status success() { return {}; }
    static Ov2Status failure(int32_t code, std::string message) { return {code, std::move(message)}; }
    // A failure of the operating system, with its reason appended.
    static Ov2Status systemFailure(int32_t code, const std::string& what, int error);
};

} // namespace ov2
