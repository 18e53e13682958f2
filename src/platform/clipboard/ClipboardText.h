#pragma once

class QMimeData;
class QString;

// Plain text as the clipboard offers it, to the program's own paste and to
// others: Qt's text formats, and text/plain;charset=utf-8 by name, which X11
// clients such as browsers ask for first. The clipboard takes ownership.
QMimeData *clipboardText(const QString &text);
