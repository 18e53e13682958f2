#pragma once

#include <QString>

class QMimeData;

// The program's texts hold a line break as CR LF, two positions; Qt's text
// boxes and the clipboard hold it as one character. No other character is
// changed either way.

// A program text as every copy puts it on the clipboard, "Copy to Clipboard"
// and the boxes' own copy, cut and drag alike: each line break as LF, which Qt
// writes in the platform's convention, and every other character as it
// stands. The clipboard or drag takes ownership.
QMimeData *clipboardTextOf(const QString &text);

// The translations themselves. Qt's texts break lines with LF, or with U+2029
// between paragraphs and U+2028 within one as QTextDocument keeps them; each
// of these, a CR and a CR LF become CR LF. Back to Qt, CR LF becomes LF.
QString toProgramText(const QString &qtText);
QString toQtText(const QString &programText);
