#pragma once

#include <QAnyStringView>
#include <QString>
#include <QVarLengthArray>

#include <type_traits>

// How a text view keeps its characters.
inline bool IsLatin1(QAnyStringView text)
{
    return text.visit([](auto view) { return std::is_same_v<decltype(view), QLatin1StringView>; });
}

inline bool IsUtf16(QAnyStringView text)
{
    return text.visit([](auto view) { return std::is_same_v<decltype(view), QStringView>; });
}

// Calls work(QStringView) on the text as UTF-16: Latin-1 is widened on the stack first.
template <typename Work>
decltype(auto) WithUtf16(QAnyStringView text, Work&& work)
{
    if (IsUtf16(text))
        return work(QStringView(static_cast<const char16_t*>(text.data()), text.size()));
    if (IsLatin1(text)) {
        QVarLengthArray<char16_t, 256> wide(text.size());
        const auto* bytes = static_cast<const unsigned char*>(text.data());
        for (qsizetype i = 0; i < text.size(); ++i)
            wide[i] = bytes[i];
        return work(QStringView(wide.data(), wide.size()));
    }
    const QString converted = text.toString();
    return work(QStringView(converted));
}

// The same hash for the same characters, however the text is kept.
size_t TextHash(QAnyStringView text);

// The text without blanks at either end, kept as it was.
QAnyStringView Trimmed(QAnyStringView text);

// The framework's number reading: the numeric value of the text's leading number
// (blanks, sign, digits, one ".", exponent), 0 when it starts with none.
double Val(QAnyStringView text);

// True for a whole text that is a decimal number: optional blanks around, an optional
// sign, digits with at most one "." (".5" and "5." count), an optional exponent.
bool IsNumeric(QAnyStringView text);

// The text with every tab, CR and LF turned into a blank: a description is one line.
QString SingleLine(QAnyStringView text);
