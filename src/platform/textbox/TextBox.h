#pragma once

#include <QString>

class QMimeData;
class QPlainTextEdit;
class TextBoxWidget;
class QWidget;

// The window's text boxes as the program sees them. The program's texts hold a
// line break as CR LF, two positions; a text box holds it as one character.
// Reading yields CR LF for every line break the box shows, writing turns each
// CR LF back into one, and no other character is changed either way.

QString boxText(const QPlainTextEdit *box);
void replaceBoxText(TextBoxWidget *box, const QString &text);
// Adds text after what the box holds and scrolls to show its end.
void appendBoxText(TextBoxWidget *box, const QString &text);
void selectAll(QPlainTextEdit *box);

void moveFocus(QWidget *control);
// What is selected in the box, as a program text.
QString selectedBoxText(const QPlainTextEdit *box);
// The selection of the control that has the focus within window; empty when
// that control holds no text.
QString selectedTextOfActiveControl(const QWidget *window);

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
