#include "SafeFile.h"

#include "Ov2Dylib.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ov2 {

namespace {

constexpr size_t kBufferSize = size_t(1) << 20;

// A link is followed, so that saving keeps the link and changes the file it names.
std::string resolveTarget(const char* path)
{
    struct stat info;
    if (::lstat(path, &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* real = ::realpath(path, nullptr)) {
            std::string resolved(real);
            std::free(real);
            return resolved;
        }
    }
    return path;
}

std::string folderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A short hidden name beside the target: a target whose own name is as long as a name
// may be would leave no room for anything added to it.
std::string temporaryName(const std::string& target, unsigned serial)
{
    const std::string folder = folderOf(target);
    return (folder == "/" ? "" : folder) + "/.ov2-" + std::to_string(::getpid()) + "-" + std::to_string(serial) +
           ".tmp";
}

void syncFolder(const std::string& path)
{
    int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

SafeFile::~SafeFile()
{
    discard();
}

Ov2Status SafeFile::open(const char* path)
{
    static std::atomic<unsigned> serial{0};
    mTarget = resolveTarget(path);
    // A file the user may not change stays unchanged, although renaming over it would succeed.
    struct stat existing;
    bool exists = ::stat(mTarget.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    if (exists && ::faccessat(AT_FDCWD, mTarget.c_str(), W_OK, AT_EACCESS) != 0)
        return Ov2Status::systemFailure(OV2_ERROR_WRITE, "cannot write " + mTarget, errno);
    int error = 0;
    for (int attempt = 0; attempt < 100 && mFd < 0; ++attempt) {
        mTemporary = temporaryName(mTarget, serial++);
        mFd = ::open(mTemporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        error = errno;
        if (mFd < 0 && error != EEXIST)
            break;
    }
    if (mFd < 0) {
        mTemporary.clear();
        return Ov2Status::systemFailure(OV2_ERROR_WRITE, "cannot create a file in the folder of " + mTarget, error);
    }
    // The saved file keeps the owner and permissions of the one it replaces,
    // as far as this user may give them.
    if (exists) {
        if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())
            (void)::fchown(mFd, existing.st_uid, existing.st_gid);
        ::fchmod(mFd, existing.st_mode & 07777);
    }
    mBuffer.resize(kBufferSize);
    return Ov2Status::success();
}

void SafeFile::write(const void* bytes, size_t count)
{
    if (mError)
        return;
    if (count > mBuffer.size() - mBuffered && !flushBuffer())
        return;
    if (count >= mBuffer.size()) {
        writeDirect(static_cast<const char*>(bytes), count);
        return;
    }
    std::memcpy(mBuffer.data() + mBuffered, bytes, count);
    mBuffered += count;
}

Ov2Status SafeFile::commit()
{
    flushBuffer();
    if (!mError && ::fsync(mFd) != 0)
        mError = errno;
    if (::close(mFd) != 0 && !mError)
        mError = errno;
    mFd = -1;
    if (!mError && ::rename(mTemporary.c_str(), mTarget.c_str()) != 0)
        mError = errno;
    if (mError) {
        discard();
        return Ov2Status::systemFailure(OV2_ERROR_WRITE, "cannot write " + mTarget, mError);
    }
    mTemporary.clear();
    syncFolder(mTarget);
    return Ov2Status::success();
}

bool SafeFile::writeDirect(const char* bytes, size_t count)
{
    while (count > 0) {
        ssize_t done = ::write(mFd, bytes, count < size_t(SSIZE_MAX) ? count : size_t(SSIZE_MAX));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            mError = done < 0 ? errno : ENOSPC;
            return false;
        }
        bytes += done;
        count -= size_t(done);
    }
    return true;
}

bool SafeFile::flushBuffer()
{
    if (mError)
        return false;
    bool written = writeDirect(mBuffer.data(), mBuffered);
    mBuffered = 0;
    return written;
}

void SafeFile::discard()
{
    if (mFd >= 0) {
        ::close(mFd);
        mFd = -1;
    }
    if (!mTemporary.empty()) {
        ::unlink(mTemporary.c_str());
        mTemporary.clear();
    }
}

} // namespace ov2
