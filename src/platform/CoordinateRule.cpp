#include "platform/CoordinateRule.h"

#include "platform/TextFunctions.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

// Whether the digits before any exponent hold something other than zeros.
bool hasNonZeroDigit(QStringView text)
{
    for (const QChar c : text) {
        if (c == u'e' || c == u'E')
            return false;
        if (c >= u'1' && c <= u'9')
            return true;
    }
    return false;
}

// Trailing zeros and a bare point dropped; "-0" is written "0".
QLatin1StringView trimmed(const char* begin, char* end, bool hasPoint)
{
    if (hasPoint) {
        while (end[-1] == '0')
            --end;
        if (end[-1] == '.')
            --end;
    }
    if (end - begin == 2 && begin[0] == '-' && begin[1] == '0')
        ++begin;
    return QLatin1StringView(begin, end - begin);
}

// The value `Val` reads from a whole number, when it reads the number as meant.
std::optional<double> number(QStringView text)
{
    if (!IsNumeric(text))
        return std::nullopt;
    const double value = Val(text);
    if (!std::isfinite(value) || (value == 0.0 && hasNonZeroDigit(text)))
        return std::nullopt;
    return value;
}

} // namespace

QString CoordinateRule::Normalized(QStringView typed)
{
    QString text = typed.trimmed().toString();
    text.replace(u',', u'.');
    return text;
}

bool CoordinateRule::InRange(double degrees, Axis axis)
{
    const double limit = axis == Axis::Latitude ? 90.0 : 180.0;
    return degrees >= -limit && degrees <= limit;
}

bool CoordinateRule::IsCoordinate(QAnyStringView text, Axis axis)
{
    return WithUtf16(text, [axis](QStringView utf16) {
        const std::optional<double> value = number(utf16);
        return value && InRange(*value, axis);
    });
}

std::optional<QString> CoordinateRule::Accepted(QStringView typed, Axis axis)
{
    const QString text = Normalized(typed);
    if (!IsCoordinate(text, axis))
        return std::nullopt;
    return Formatted(Val(text));
}

QString CoordinateRule::Formatted(double degrees)
{
    char room[FormattedRoom];
    return Formatted(degrees, room).toString();
}

QLatin1StringView CoordinateRule::Formatted(double degrees, char* room)
{
    char* end = room;
    // A position's millionths as a whole number, when the product is surely on the side of
    // the half that the exact value is: the digits to_chars would write, in a fraction
    // of its time. Reading a file formats two per row.
    const double millionths = degrees * 1e6;
    const double nearest = std::nearbyint(millionths);
    if (std::fabs(degrees) < 1e6 && std::fabs(millionths - nearest) < 0.499) {
        const auto units = uint64_t(std::fabs(nearest));
        if (std::signbit(degrees) && units != 0)
            *end++ = '-';
        end = std::to_chars(end, room + FormattedRoom, units / 1000000).ptr;
        // The fraction without its trailing zeros, written from its last digit back.
        auto fraction = uint32_t(units % 1000000);
        if (fraction == 0)
            return QLatin1StringView(room, end - room);
        int digits = 6;
        for (; fraction % 10 == 0; fraction /= 10)
            --digits;
        *end++ = '.';
        for (int i = digits - 1; i >= 0; --i, fraction /= 10)
            end[i] = char('0' + fraction % 10);
        return QLatin1StringView(room, end + digits - room);
    }
    if (std::isfinite(degrees))
        end = std::to_chars(room, room + FormattedRoom, degrees, std::chars_format::fixed, 6).ptr;
    else
        *end++ = '0';
    return trimmed(room, end, std::isfinite(degrees));
}

QString CoordinateRule::Decimal(QAnyStringView text)
{
    const double value = Val(text);
    if (!std::isfinite(value))
        return QStringLiteral("0");
    char buffer[FormattedRoom];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return trimmed(buffer, result.ptr, false).toString();
}
