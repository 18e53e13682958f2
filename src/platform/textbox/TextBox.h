#pragma once

#include <QString>

class QPlainTextEdit;
class TextBoxWidget;
class QWidget;

// The window's text boxes as the program sees them: reading yields a program
// text, with CR LF for every line break the box shows; writing turns each
// CR LF back into one line break (see ProgramText.h).

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
