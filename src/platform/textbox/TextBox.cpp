#include "platform/textbox/TextBox.h"

#include "platform/clipboard/ClipboardText.h"
#include "platform/textbox/TextBoxWidget.h"

#include <QPlainTextEdit>

#include <algorithm>

QString toProgramText(const QString &qtText)
{
    const auto isBreak = [](QChar c) {
        return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
    };
    if (std::none_of(qtText.cbegin(), qtText.cend(), isBreak))
        return qtText;

    QString text;
    text.reserve(qtText.size() + qtText.size() / 8);
    for (qsizetype i = 0; i < qtText.size(); ++i) {
        const QChar c = qtText.at(i);
        if (!isBreak(c)) {
            text += c;
            continue;
        }
        if (c == u'\r' && i + 1 < qtText.size() && qtText.at(i + 1) == u'\n')
            ++i;
        text += u"\r\n";
    }
    return text;
}

QString toQtText(const QString &programText)
{
    // By hand: QString::replace() takes superlinear time for a million matches.
    QString text(programText.size(), Qt::Uninitialized);
    QChar *out = text.data();
    const QChar *in = programText.constData();
    const QChar *const end = in + programText.size();
    for (; in != end; ++in) {
        if (*in != u'\r' || in + 1 == end || in[1] != u'\n')
            *out++ = *in;
    }
    text.truncate(out - text.constData());
    return text;
}

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

QMimeData *clipboardTextOf(const QString &text)
{
    return clipboardText(toQtText(text));
}
