#include "poi/ExportName.h"

#include <QDir>
#include <QFileInfo>

QString ExportFileName(const QString& documentFile, const QString& untitledName, const QString& extension)
{
    if (documentFile.isEmpty())
        return untitledName + extension;
    QString name = QFileInfo(documentFile).fileName().toLower();
    const qsizetype at = name.indexOf(QLatin1String(".ov2"));
    if (at >= 0)
        name.replace(at, 4, extension);
    return name;
}

QString ProposedFolder(const QString& documentFile)
{
    return documentFile.isEmpty() ? QDir::homePath() : QFileInfo(documentFile).absolutePath();
}

QString WithExtension(const QString& path, const QString& extension)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + extension;
}
