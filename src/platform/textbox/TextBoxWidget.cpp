#include "platform/textbox/TextBoxWidget.h"

#include "platform/clipboard/ClipboardText.h"
#include "platform/clipboard/DisplayClipboard.h"
#include "platform/textbox/ProgramText.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

namespace {

enum BlockState { HasNoLongRun = 0, HasLongRun = 1 };

// A space Qt may break at: no-break spaces do not count, as for Qt's layout.
bool isBreakableSpace(QChar c)
{
    return c.isSpace() && c.decompositionTag() != QChar::NoBreak;
}

bool hasLongRun(QStringView text)
{
    qsizetype run = 0;
    for (const QChar c : text) {
        run = isBreakableSpace(c) ? 0 : run + 1;
        if (run > TextBoxWidget::LongRun)
            return true;
    }
    return false;
}

bool anyBlockHasLongRun(const QTextDocument *document)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.userState() == HasLongRun)
            return true;
    }
    return false;
}

} // namespace

TextBoxWidget::TextBoxWidget(QWidget *parent) : QPlainTextEdit(parent)
{
    // WORKAROUND: Qt's accessibility lists every child widget, hidden or not,
    // and the scroll bars' containers stay children while hidden, as a box's
    // always are: screen readers found two hidden, unnamed scroll bars in
    // each box. It leaves windows out, and these are never shown.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const QScrollBar *bar : {horizontalScrollBar(), verticalScrollBar()})
        bar->parentWidget()->setWindowFlag(Qt::Window);
    connect(document(), &QTextDocument::contentsChange, this, &TextBoxWidget::contentsChanged);
}

void TextBoxWidget::prepareFor(const QString &incoming)
{
    if (hasLongRun(incoming))
        setWrapAnywhere(true);
}

QMimeData *TextBoxWidget::createMimeDataFromSelection() const
{
    return clipboardTextOf(toProgramText(textCursor().selectedText()));
}

void TextBoxWidget::keyPressEvent(QKeyEvent *event)
{
    // Shift+Ctrl+Insert pastes the X11 selection, Qt's own.
    const bool pastesSelection
        = event->key() == Qt::Key_Insert && event->modifiers() == (Qt::CTRL | Qt::SHIFT);
    if (event->matches(QKeySequence::Copy))
        copySelection(false);
    else if (event->matches(QKeySequence::Cut) && !isReadOnly())
        copySelection(true);
    else if (event->matches(QKeySequence::Paste) && !isReadOnly() && !pastesSelection)
        paste();
    else
        QPlainTextEdit::keyPressEvent(event);
}

QMenu *TextBoxWidget::createContextMenu(QPoint position)
{
    QMenu *menu = createStandardContextMenu(position);
    // Qt's items, as they look, each in place of Qt's own.
    const auto replace = [&](const char *name, auto action) {
        QAction *qts = menu->findChild<QAction *>(QString::fromLatin1(name));
        if (!qts)
            return static_cast<QAction *>(nullptr);
        auto *ours = new QAction(qts->icon(), qts->text(), menu);
        ours->setObjectName(qts->objectName());
        ours->setEnabled(qts->isEnabled());
        connect(ours, &QAction::triggered, this, action);
        menu->insertAction(qts, ours);
        delete qts;
        return ours;
    };
    replace("edit-copy", [this] { copySelection(false); });
    replace("edit-cut", [this] { copySelection(true); });
    if (QAction *pasting = replace("edit-paste", [this] { paste(); }))
        pasting->setEnabled(canInsertFromMimeData(clipboardData()));
    return menu;
}

void TextBoxWidget::contextMenuEvent(QContextMenuEvent *event)
{
    const std::unique_ptr<QMenu> menu(createContextMenu(event->pos()));
    menu->exec(event->globalPos());
}

void TextBoxWidget::copySelection(bool cut)
{
    if (!textCursor().hasSelection())
        return;
    // Cut text stays where the clipboard did not take it.
    if (putOnClipboard(createMimeDataFromSelection()) && cut)
        textCursor().removeSelectedText();
}

void TextBoxWidget::paste()
{
    if (const QMimeData *data = clipboardData())
        insertFromMimeData(data);
}

bool TextBoxWidget::canInsertFromMimeData(const QMimeData *source) const
{
    // The list of types only: the context menu asks before it opens.
    return source && source->hasText();
}

void TextBoxWidget::insertFromMimeData(const QMimeData *source)
{
    // Pasted and dropped text alike, as plain text.
    if (!source || isReadOnly())
        return;
    const QString text = plainTextOf(*source);
    if (text.isEmpty())
        return;
    prepareFor(text);
    insertPlainText(text);
    ensureCursorVisible();
}

QVariant TextBoxWidget::inputMethodQuery(Qt::InputMethodQuery query) const
{
    QVariant qts = QPlainTextEdit::inputMethodQuery(query);
    if (query != Qt::ImSurroundingText && query != Qt::ImCursorPosition && query != Qt::ImAnchorPosition)
        return qts;
    const QString text = QPlainTextEdit::inputMethodQuery(Qt::ImSurroundingText).toString();
    if (text.size() <= SurroundingLength)
        return qts;
    // Around the cursor, and not between the halves of a surrogate pair.
    const int cursor = QPlainTextEdit::inputMethodQuery(Qt::ImCursorPosition).toInt();
    qsizetype start
        = std::clamp(cursor - SurroundingLength / 2, qsizetype(0), text.size() - SurroundingLength);
    qsizetype end = start + SurroundingLength;
    if (text.at(start).isLowSurrogate())
        ++start;
    if (end < text.size() && text.at(end).isLowSurrogate())
        --end;
    const auto within = [&](qsizetype position) { return int(std::clamp(position, start, end) - start); };
    if (query == Qt::ImSurroundingText)
        return text.sliced(start, end - start);
    if (query == Qt::ImCursorPosition)
        return within(cursor);
    return within(qts.toInt());
}

void TextBoxWidget::contentsChanged(int position, int /*removed*/, int added)
{
    const QTextDocument *document = this->document();
    const QTextBlock last = document->findBlock(position + added);
    bool found = false;
    for (QTextBlock block = document->findBlock(position); block.isValid(); block = block.next()) {
        const bool longRun = hasLongRun(block.text());
        block.setUserState(longRun ? HasLongRun : HasNoLongRun);
        found = found || longRun;
        if (block == last)
            break;
    }
    // Only a change that broke up the last long run needs a look at the rest.
    const bool anywhere = wordWrapMode() == QTextOption::WrapAnywhere;
    setWrapAnywhere(found || (anywhere && anyBlockHasLongRun(document)));
}

void TextBoxWidget::setWrapAnywhere(bool anywhere)
{
    const auto mode = anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
}
