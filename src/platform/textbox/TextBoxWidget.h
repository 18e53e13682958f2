#pragma once

#include <QPlainTextEdit>

// The widget of the window's text boxes: a QPlainTextEdit that shows no
// scroll bars and whose layout stays linear in the length of any text.
//
// WORKAROUND: Qt 6.4, 6.8 and 6.11 (as measured; 6.8.2 takes 0.18, 0.79 and
// 2.2 s for runs of 32, 64 and 128 KiB) lay out a run of text with no break
// opportunity in time quadratic in its length when it wraps at word
// boundaries or anywhere: each
// line scans to the end of the run for a word boundary before breaking it
// anywhere, so a pasted 1 MiB base64 blob takes minutes. While a box holds such
// a run it wraps anywhere, which is linear; otherwise it wraps at words.
class TextBoxWidget : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TextBoxWidget(QWidget *parent = nullptr);

    // Runs longer than this without a breakable space make the box wrap
    // anywhere: no word is this long, and shorter runs cost at most a few
    // times as much as prose.
    static constexpr qsizetype LongRun = 128;

    // The most text an input method is told around the cursor: 3000 bytes
    // of UTF-8 at most.
    static constexpr qsizetype SurroundingLength = 1000;

    // To be called before text arrives. Switching the mode lays out what the
    // box holds, so switching before a large text arrives, rather than once it
    // is there, spares laying it out twice.
    void prepareFor(const QString &incoming);

    // What copy, cut, drag and the X11 selection take from the box: Qt's own
    // goes through toPlainText(), which turns no-break spaces into plain ones.
    // Public, as what a drag carries has no other way to be looked at.
    QMimeData *createMimeDataFromSelection() const override;

    // Pastes from the program's clipboard, in place of Qt's paste(), which
    // knows Qt's clipboard alone.
    void paste();
    // The context menu, its copy, cut and paste the box's own.
    QMenu *createContextMenu(QPoint position);

protected:
    // Copy, cut and paste, by key or from the context menu, go through the
    // program's clipboard (DisplayClipboard.h), not Qt's alone: on Wayland
    // Qt would serve a paste elsewhere with one blocking write, holding the
    // window until the reader has read all.
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

    // WORKAROUND: Qt 6.4's own paste and drop read source->formats().first(),
    // which crashes on data of no type (an empty clipboard, an owner that
    // refuses; Qt 6.8.2 and 6.11.2 no longer do), and ask the owner for the text up
    // to four times, each another clipboard timeout where it does not answer.
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

    // WORKAROUND: Qt 6.8 and later (text-input-v3) hand the input method a
    // selection of any size whole, as the text around the cursor, beyond the
    // 4000 bytes that the protocol allows: Mutter then ends the program's
    // connection. An input method needs only the text near the cursor, so
    // the box tells it at most SurroundingLength characters of it.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    void copySelection(bool cut);
    void contentsChanged(int position, int removed, int added);
    void setWrapAnywhere(bool anywhere);
};
