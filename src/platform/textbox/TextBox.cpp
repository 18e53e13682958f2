#include "platform/textbox/TextBox.h"

#include "platform/textbox/ProgramText.h"
#include "platform/textbox/TextBoxWidget.h"

#include <QPlainTextEdit>

QString boxText(const QPlainTextEdit *box)
{
    // toPlainText() would also turn no-break spaces into plain ones.
    return toProgramText(box->document()->toRawText());
}

void replaceBoxText(TextBoxWidget *box, const QString &text)
{
    box->prepareFor(text);
    box->setPlainText(toQtText(text));
}

void appendBoxText(TextBoxWidget *box, const QString &text)
{
    if (text.isEmpty())
        return;
    box->prepareFor(text);
    QTextCursor cursor(box->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(toQtText(text));
    box->setTextCursor(cursor);
    box->ensureCursorVisible();
}

void selectAll(QPlainTextEdit *box)
{
    box->selectAll();
}

void moveFocus(QWidget *control)
{
    control->setFocus(Qt::OtherFocusReason);
}

QString selectedBoxText(const QPlainTextEdit *box)
{
    return toProgramText(box->textCursor().selectedText());
}

QString selectedTextOfActiveControl(const QWidget *window)
{
    const auto *box = qobject_cast<const QPlainTextEdit *>(window->focusWidget());
    if (!box)
        return {};
    return selectedBoxText(box);
}
