#pragma once

#include <QByteArray>
#include <QString>

// Whole files as bytes, for tests that compare what a format wrote or hand it a fixture.
namespace FileBytes {
// The file's bytes; none when it cannot be read.
QByteArray Read(const QString& path);
// Replaces the file with the bytes; a file that cannot be written fails the test.
void Write(const QString& path, const QByteArray& bytes);
}  // namespace FileBytes
