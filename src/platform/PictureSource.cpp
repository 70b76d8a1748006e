#include "platform/PictureSource.h"

#include <QHash>

namespace PictureSource {
namespace {

QHash<QString, Accessor>& accessors()
{
    static QHash<QString, Accessor> table;
    return table;
}

IconMaker gIconMaker = nullptr;

} // namespace

void Register(const QString& name, Accessor accessor)
{
    accessors().insert(name, accessor);
}

const QPixmap& Picture(const QString& name)
{
    static const QPixmap none;
    const Accessor accessor = accessors().value(name);
    return accessor ? accessor() : none;
}

void RegisterIconMaker(IconMaker maker)
{
    gIconMaker = maker;
}

QIcon Icon(const QPixmap& picture)
{
    return gIconMaker ? gIconMaker(picture) : QIcon(picture);
}

} // namespace PictureSource
