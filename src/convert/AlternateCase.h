#pragma once

#include <QLocale>
#include <QString>

// The text in alternating letter case: the character at every odd position
// (counting from 1) in upper case, at every even position in lower case.
// A character is one code point: a surrogate pair is one position, an unpaired
// surrogate one position left as it is. Every character counts, with or
// without case; a CR LF line break is two positions. Each character maps to
// exactly one character, following the locale where it differs from Unicode's
// own mapping (the dotted and dotless i of Turkish and Azerbaijani).
QString AlternateCase(const QString &text, const QLocale &locale = QLocale());
