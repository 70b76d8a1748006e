#pragma once

#include <QByteArray>
#include <QAnyStringView>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows Latin-1 (code page 1252), the encoding of OV2 descriptions. Qt 6 has no
// codec for it: the bytes 0x80 to 0x9F differ from ISO Latin-1 and go by table.
class Latin1Codec {
public:
    // The text of the bytes. The five bytes the code page leaves unassigned become
    // the control characters of the same number, so every byte survives a round trip.
    static QString toUnicode(QByteArrayView bytes);
    // The same into `text`, whose room is reused: for converting many texts in a row.
    static void toUnicode(QByteArrayView bytes, QString& text);
    // The text of the bytes as a view: the bytes themselves, read as ISO Latin-1, when that
    // gives the same text, as it does for most; else converted into `room`.
    static QAnyStringView toText(QByteArrayView bytes, QString& room);

    // The bytes of the text. A character the code page cannot hold becomes "?", and so
    // does a NUL, which would end a NUL-terminated text early; `replaced` (when given)
    // tells whether that happened.
    static QByteArray fromUnicode(QAnyStringView text, bool* replaced = nullptr);
    // The same into `bytes`, whose room is reused: for converting many texts in a row.
    static void fromUnicode(QAnyStringView text, QByteArray& bytes, bool* replaced = nullptr);
};
