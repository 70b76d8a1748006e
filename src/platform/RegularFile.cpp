#include "platform/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool RegularFile::ReadAll(const QString& path, QByteArray& bytes, QString& reason)
{
    bytes.clear();
    // Opening a FIFO for reading waits for a writer, unless it is opened without blocking;
    // for a regular file the flag changes nothing.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        reason = qt_error_string(errno);
        return false;
    }
    struct stat info;
    const bool known = ::fstat(fd, &info) == 0;
    if (!known || !S_ISREG(info.st_mode)) {
        reason = known ? lkNotRegular() : qt_error_string(errno);
        ::close(fd);
        return false;
    }
    QFile file;
    const bool opened = file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
    if (opened)
        bytes = file.readAll();
    const bool read = opened && file.error() == QFileDevice::NoError;
    if (!read) {
        reason = file.errorString();
        bytes.clear();
    }
    file.close();
    ::close(fd);
    return read;
}

LOCALIZED_TEXT(RegularFile, lkNotRegular, "it is not a regular file (a folder, a device or a pipe, for one)")
