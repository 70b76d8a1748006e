#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// Pictures shared by name. The program registers where each one comes from at start-up;
// the lower layers ask for a picture by its name without knowing the program's resources.
namespace PictureSource {
using Accessor = const QPixmap& (*)();

void Register(const QString& name, Accessor accessor);
// The registered picture, the same object on every call; a null picture for a name
// nobody registered.
const QPixmap& Picture(const QString& name);

// How a registered picture becomes an icon that stays sharp at any size and pixel ratio.
using IconMaker = QIcon (*)(const QPixmap& picture);
void RegisterIconMaker(IconMaker maker);
// The picture as an icon for a button or a toolbar: made by the registered maker, or
// the picture itself when none was registered.
QIcon Icon(const QPixmap& picture);
} // namespace PictureSource
