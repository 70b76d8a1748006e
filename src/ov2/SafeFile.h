#pragma once

#include "Ov2Status.h"

#include <cstddef>
#include <string>
#include <vector>

namespace ov2 {

// A file written under a temporary name in the target's folder; commit()
// flushes it to disk and renames it over the target. Until then, and on any
// failure, the target is untouched and the temporary file is removed.
class SafeFile {
public:
    SafeFile() = default;
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    Ov2Status open(const char* path);
    // Buffered; the first failure is kept and reported by commit().
    void write(const void* bytes, size_t count);
    Ov2Status commit();

private:
    bool writeDirect(const char* bytes, size_t count);
    bool flushBuffer();
    void discard();

    std::string mTarget;
    std::string mTemporary;
    int mFd = -1;
    int mError = 0;
    std::vector<char> mBuffer;
    size_t mBuffered = 0;
};

} // namespace ov2
