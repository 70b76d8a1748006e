#include "platform/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <zip.h>

#include <memory>

namespace ZipArchive {
namespace {

struct ArchiveCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct FileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

// The entry's path inside folder, or an empty text when it would lie outside it.
QString safeTarget(const QDir& folder, const QString& entryName)
{
    if (entryName.isEmpty() || entryName.startsWith('/') || entryName.startsWith('\\') || entryName.contains(':'))
        return QString();
    const QString cleaned = QDir::cleanPath(entryName);
    if (cleaned == QLatin1String("..") || cleaned.startsWith(QLatin1String("../")) || cleaned.contains('\\'))
        return QString();
    return folder.filePath(cleaned);
}

bool fail(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
    return false;
}

}  // namespace

bool Expand(const QString& archivePath, const QString& folder, QString* reason, qint64 maxBytes)
{
    int error = 0;
    std::unique_ptr<zip_t, ArchiveCloser> archive(
        zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, &error));
    if (!archive)
        return fail(reason, QStringLiteral("not a ZIP archive"));

    const QDir target(folder);
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    qint64 total = 0;
    // Check every entry before writing anything.
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &st) != 0)
            return fail(reason, QStringLiteral("unreadable entry"));
        const QString name = QString::fromUtf8(st.name);
        const QString path = safeTarget(target, name);
        if (path.isEmpty())
            return fail(reason, QStringLiteral("entry outside the folder: %1").arg(name));
        if (!name.endsWith('/') && QFileInfo::exists(path))
            return fail(reason, QStringLiteral("entry would replace %1").arg(name));
        total += qint64(st.size);
        if (total > maxBytes)
            return fail(reason, QStringLiteral("archive too large"));
    }

    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_index(archive.get(), zip_uint64_t(i), 0, &st);
        const QString name = QString::fromUtf8(st.name);
        const QString path = safeTarget(target, name);
        if (name.endsWith('/')) {
            QDir().mkpath(path);
            continue;
        }
        QDir().mkpath(QFileInfo(path).absolutePath());
        std::unique_ptr<zip_file_t, FileCloser> entry(zip_fopen_index(archive.get(), zip_uint64_t(i), 0));
        QSaveFile out(path);
        if (!entry || !out.open(QIODevice::WriteOnly))
            return fail(reason, QStringLiteral("cannot write %1").arg(name));
        char buffer[65536];
        zip_int64_t n = 0;
        qint64 written = 0;
        while ((n = zip_fread(entry.get(), buffer, sizeof buffer)) > 0) {
            written += n;
            // Sizes in the directory can lie; the bound holds for what is really written.
            if (written > qint64(st.size) || out.write(buffer, n) != n) {
                out.cancelWriting();
                return fail(reason, QStringLiteral("cannot write %1").arg(name));
            }
        }
        if (n < 0 || !out.commit())
            return fail(reason, QStringLiteral("cannot write %1").arg(name));
    }
    return true;
}

}  // namespace ZipArchive
