#pragma once

#include <QString>

// The framework's number reading: the numeric value of the text's leading number
// (blanks, sign, digits, one ".", exponent), 0 when it starts with none.
double Val(QStringView text);

// True for a whole text that is a decimal number: optional blanks around, an optional
// sign, digits with at most one "." (".5" and "5." count), an optional exponent.
bool IsNumeric(QStringView text);

// The text with every tab, CR and LF turned into a blank: a description is one line.
QString SingleLine(QStringView text);
