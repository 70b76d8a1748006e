#include "platform/Uuid.h"

#include <QUuid>

QString NewUuidText()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}
