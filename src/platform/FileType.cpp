#include "platform/FileType.h"

#include <QStringList>

QString FileType::filterText() const
{
    if (Extensions.isEmpty())
        return QString();
    QStringList patterns;
    for (QString ext : Extensions.split(';', Qt::SkipEmptyParts)) {
        ext = ext.trimmed();
        if (ext.startsWith('.'))
            ext.remove(0, 1);
        patterns << QStringLiteral("*.") + ext;
    }
    return QStringLiteral("%1 (%2)").arg(Name, patterns.join(' '));
}
