#pragma once

#include <QAnyStringView>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>

#include <optional>

// What a coordinate cell may hold, whichever road the text comes by: a number that `Val`
// reads as the text means it, on the Earth, kept in the program's own coordinate text.
class CoordinateRule {
public:
    enum class Axis { Latitude, Longitude };

    // The typed text with every "," read as the decimal point, without blanks around.
    static QString Normalized(QStringView typed);
    // -90..90 for a latitude, -180..180 for a longitude.
    static bool InRange(double degrees, Axis axis);
    // A number in range as the text stands, without normalising it.
    static bool IsCoordinate(QAnyStringView text, Axis axis);
    // The coordinate text for what the user typed, or nothing when the rule refuses it.
    static std::optional<QString> Accepted(QStringView typed, Axis axis);
    // The program's coordinate text: at most six decimals, "." whatever the locale.
    static QString Formatted(double degrees);
    // The same as Latin-1 characters in room, which holds FormattedRoom bytes: for
    // formatting many values in a row.
    static constexpr int FormattedRoom = 400;
    static QLatin1StringView Formatted(double degrees, char* room);
    // The shortest decimal that reads back as the value `Val` reads from the text: no
    // leading zeros, no exponent, no blanks; what a script or a KML reader takes as is.
    static QString Decimal(QAnyStringView text);
};
