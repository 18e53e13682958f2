#pragma once

class QString;

// Where the display system would let copied text go with the program, a
// keeper program serves it afterwards. The program starts it as it ends and
// hands it the text as HandOverFormat.h describes; the text is never on a
// command line or in a file.
enum class Keeper { X11, Wayland };

// Hands text, unless empty, to that keeper, where the installed tree or the
// build puts it; a keeper not found or not holding the clipboard is reported
// on standard error. Called as the program ends.
void handTextToKeeper(Keeper keeper, const QString &text);

// Starts that keeper program and writes it the text; true once the
// keeper holds the clipboard. A keeper that has not answered within a second
// is ended, so that it cannot take the clipboard later over a newer text.
bool handOverToKeeper(const QString &program, const QString &text);
