#pragma once

#include <QByteArray>
#include <QAnyStringView>

// Appends text as UTF-8 XML character data: the markup characters and CR escaped, and the
// characters XML 1.0 cannot hold at all (most control characters, lone surrogates)
// written as U+FFFD, so a reader always gets a well-formed document.
void AppendXmlText(QByteArray& out, QAnyStringView text);
