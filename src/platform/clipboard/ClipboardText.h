#pragma once

class QMimeData;
class QString;

// Plain text as the clipboard offers it, to the program's own paste and to
// others: Qt's text formats, and text/plain;charset=utf-8 by name, which X11
// clients such as browsers ask for first; and ownCopyType(). The clipboard
// takes ownership.
QMimeData *clipboardText(const QString &text);

// A type of no content that every copy of this process offers, whichever
// way it was made, so that a display system can tell them on the clipboard
// from other programs' copies.
QString ownCopyType();

// Whether data was made by clipboardText() in this process, rather than
// standing in for another program's.
bool madeByClipboardText(const QMimeData &data);

// The plain text of clipboard, selection or drag data, for a paste or a drop;
// empty where it holds none. Another program's data is asked for its list of
// types once and for the text once, in a single type: Qt's own reading asks
// up to four times, waiting up to 5 s for each where the owner stalls.
QString plainTextOf(const QMimeData &data);
