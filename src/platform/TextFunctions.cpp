#include "platform/TextFunctions.h"

#include <charconv>

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

}  // namespace

double Val(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    const qsizetype len = numberLength(text, start);
    if (len == 0)
        return 0.0;

    // from_chars takes no leading "+" nor a bare ".5"; the copy drops the one, mends the other.
    std::string buf;
    buf.reserve(size_t(len) + 1);
    for (qsizetype i = start; i < start + len; ++i) {
        const char c = char(text[i].unicode());
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

bool IsNumeric(QStringView text)
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
