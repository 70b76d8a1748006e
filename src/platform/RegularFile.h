#pragma once

#include "platform/Localized.h"

#include <QByteArray>
#include <QString>

// A file the user named, read whole. Only a regular file is read: a FIFO nobody writes to
// would keep the program waiting for good, and a device such as /dev/zero never ends.
class RegularFile {
public:
    // The file's bytes; false, with the reason in words, when it cannot be read.
    static bool ReadAll(const QString& path, QByteArray& bytes, QString& reason);

    LOCALIZED_TEXT_DECL(lkNotRegular);
};
