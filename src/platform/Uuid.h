#pragma once

#include <QString>

// A new random UUID as 36 upper-case hexadecimal characters in 8-4-4-4-12 groups.
QString NewUuidText();
// The same into `text`, whose room is reused: for identifying many rows in a row.
void NewUuidText(QString& text);
// The same as 36 ASCII characters into `text`, without a NUL.
void NewUuidText(char* text);
