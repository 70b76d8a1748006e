#pragma once

#include <QString>

// Percent-encodes every UTF-8 byte but A-Z, a-z, 0-9, "-", "_", "." and "~",
// so the result can stand inside any quoted script or URL text.
QString EncodeURLComponent(const QString& text);
// Undoes one level of percent-encoding, reading the bytes as UTF-8.
QString DecodeURLComponent(const QString& text);
