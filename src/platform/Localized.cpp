#include "platform/Localized.h"

#include <QCoreApplication>

QString GetLocalizedString(const char* context, const char* name, const char* defaultText)
{
    // Qt answers a missing translation with the source text itself, here the constant's name.
    const QString text = QCoreApplication::translate(context, name);
    if (text == QLatin1String(name))
        return QString::fromUtf8(defaultText);
    return text;
}
