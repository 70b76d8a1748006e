#include "platform/TextCase.h"

namespace {

bool isWordCharacter(char32_t c)
{
    if (c == U'\'' || c == U'\u2019')
        return true;
    switch (QChar::category(c)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Number_DecimalDigit:
    case QChar::Number_Letter:
    case QChar::Number_Other:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

// The code point at i and how many UTF-16 units it takes.
char32_t codePointAt(const QString& text, qsizetype i, qsizetype& units)
{
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        units = 2;
        return QChar::surrogateToUcs4(c, text[i + 1]);
    }
    units = 1;
    return c.unicode();
}

void appendCodePoint(QString& out, char32_t c)
{
    if (QChar::requiresSurrogates(c)) {
        out += QChar(QChar::highSurrogate(c));
        out += QChar(QChar::lowSurrogate(c));
    } else {
        out += QChar(char16_t(c));
    }
}

}  // namespace

QString Uppercase(const QString& text)
{
    return text.toUpper();
}

QString Lowercase(const QString& text)
{
    return text.toLower();
}

QString Titlecase(const QString& text)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype units = 1;
        char32_t c = codePointAt(text, i, units);
        if (!isWordCharacter(c)) {
            appendCodePoint(out, c);
            i += units;
            continue;
        }
        // One word: its first letter or digit decides ("3rd" stays "3rd"); a letter is
        // title-cased, the rest lower-cased a piece at a time so full case mappings apply.
        const qsizetype wordStart = i;
        qsizetype head = -1;
        qsizetype headUnits = 0;
        while (i < text.size()) {
            c = codePointAt(text, i, units);
            if (!isWordCharacter(c))
                break;
            if (head < 0 && QChar::isLetterOrNumber(c)) {
                head = i;
                headUnits = units;
            }
            i += units;
        }
        if (head < 0) {
            out += Lowercase(text.sliced(wordStart, i - wordStart));
            continue;
        }
        out += Lowercase(text.sliced(wordStart, head - wordStart));
        qsizetype ignored = 0;
        appendCodePoint(out, QChar::toTitleCase(codePointAt(text, head, ignored)));
        const qsizetype rest = head + headUnits;
        out += Lowercase(text.sliced(rest, i - rest));
    }
    return out;
}
