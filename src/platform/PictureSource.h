#pragma once

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
} // namespace PictureSource
