#include "platform/TextFunctions.h"

#include <charconv>
#include <cstdint>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Length of the number that starts at `from` (0 when none), and whether it had digits.
qsizetype numberLength(QStringView t, qsizetype from)
{
    qsizetype i = from;
    const qsizetype n = t.size();
    if (i < n && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(t[i])) {
        ++i;
        ++digits;
    }
    if (i < n && t[i] == u'.') {
        ++i;
        while (i < n && isDigit(t[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (t[j] == u'+' || t[j] == u'-'))
            ++j;
        if (j < n && isDigit(t[j])) {
            while (j < n && isDigit(t[j]))
                ++j;
            i = j;
        }
    }
    return i - from;
}

// The common case of a coordinate, "-45.123456": with at most 15 digits the digits and
// the power of ten are exact doubles, so one division rounds correctly, as from_chars does.
bool plainDecimal(QStringView t, double* value)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        negative = t[i++] == u'-';
    int64_t digits = 0;
    int count = 0;
    int decimals = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if (!isDigit(c) || ++count > 15)
            return false;
        digits = digits * 10 + (c.unicode() - u'0');
        decimals += point ? 1 : 0;
    }
    static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double magnitude = double(digits) / kPowers[decimals];
    *value = negative ? -magnitude : magnitude;
    return true;
}

double valOf(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    const qsizetype len = numberLength(text, start);
    if (len == 0)
        return 0.0;

    const QStringView number = text.mid(start, len);
    double fast = 0.0;
    if (plainDecimal(number, &fast))
        return fast;

    // from_chars takes no leading "+" nor a bare ".5"; the copy drops the one, mends the other.
    std::string buf;
    buf.reserve(size_t(len) + 1);
    for (const QChar qc : number) {
        const char c = char(qc.unicode());
        if (c == '+' && buf.empty())
            continue;
        if (c == '.' && (buf.empty() || buf == "-"))
            buf += '0';
        buf += c;
    }
    double value = 0.0;
    std::from_chars(buf.data(), buf.data() + buf.size(), value);
    return value;
}

bool isNumeric(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    const qsizetype len = numberLength(text, start);
    if (len == 0)
        return false;
    qsizetype end = start + len;
    while (end < text.size() && isBlank(text[end]))
        ++end;
    return end == text.size();
}

}  // namespace

double Val(QAnyStringView text)
{
    return WithUtf16(text, [](QStringView utf16) { return valOf(utf16); });
}

bool IsNumeric(QAnyStringView text)
{
    return WithUtf16(text, [](QStringView utf16) { return isNumeric(utf16); });
}

size_t TextHash(QAnyStringView text)
{
    return WithUtf16(text, [](QStringView utf16) { return qHash(utf16); });
}

QAnyStringView Trimmed(QAnyStringView text)
{
    if (IsLatin1(text))
        return QLatin1StringView(static_cast<const char*>(text.data()), text.size()).trimmed();
    if (IsUtf16(text))
        return QStringView(static_cast<const char16_t*>(text.data()), text.size()).trimmed();
    // UTF-8 comes only from literals: blanks there are ASCII.
    const auto* bytes = static_cast<const char*>(text.data());
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && QChar::isSpace(uchar(bytes[from])))
        ++from;
    while (to > from && QChar::isSpace(uchar(bytes[to - 1])))
        --to;
    return QUtf8StringView(bytes + from, to - from);
}

QString SingleLine(QAnyStringView text)
{
    QString line = text.toString();
    for (QChar& c : line) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return line;
}
