#include "platform/UrlCodec.h"

#include <QByteArray>

QString EncodeURLComponent(const QString& text)
{
    return QString::fromLatin1(text.toUtf8().toPercentEncoding());
}

QString DecodeURLComponent(const QString& text)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(text.toUtf8()));
}
