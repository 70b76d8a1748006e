#pragma once

#include <QString>

// The framework's letter-case functions, over the whole of Unicode. Only letters
// change: digits, punctuation and symbols such as ">" stay as they are.
QString Uppercase(const QString& text);
QString Lowercase(const QString& text);
// The first letter of every word upper case (title case), the rest lower case:
// "rOMA nord" gives "Roma Nord". A word is a run of letters, digits, combining
// marks and apostrophes, so "dell'arte" stays one word; one that begins with a digit
// gets no capital ("3rd").
QString Titlecase(const QString& text);
