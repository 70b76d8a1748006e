#include "poi/XmlText.h"

#include "platform/TextFunctions.h"

namespace {

void appendUtf8(QByteArray& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

void appendXml(QByteArray& out, QStringView text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text[i].unicode();
        switch (c) {
        case u'&': out += "&amp;"; continue;
        case u'<': out += "&lt;"; continue;
        case u'>': out += "&gt;"; continue;
        case u'"': out += "&quot;"; continue;
        // A reader turns a CR written as it is into a line feed.
        case u'\r': out += "&#13;"; continue;
        default: break;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
        } else if (QChar::isSurrogate(c) || (c < 0x20 && c != u'\t' && c != u'\n') || c == 0xFFFE ||
                   c == 0xFFFF) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
}

}  // namespace

void AppendXmlText(QByteArray& out, QAnyStringView text)
{
    WithUtf16(text, [&out](QStringView utf16) { appendXml(out, utf16); });
}
