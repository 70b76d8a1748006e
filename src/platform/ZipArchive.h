#pragma once

#include <QString>

// Expands ZIP archives the way the desktop does when one is opened: beside the archive.
namespace ZipArchive {
// Expands every entry of the archive into folder. Refuses, writing nothing, an archive
// with an entry that is absolute, climbs out of the folder or would replace a file there,
// or one that would expand to more than maxBytes. Returns false with a reason when it did not expand.
bool Expand(const QString& archivePath, const QString& folder, QString* reason,
            qint64 maxBytes = qint64(2) << 30);
}  // namespace ZipArchive
