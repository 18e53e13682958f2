#pragma once

class QString;

// Where the display system would let copied text go with the program, a
// keeper program serves it afterwards. The program starts the keeper as it
// ends and writes to its standard input the text's length in bytes, a line
// break and the text in UTF-8; the keeper answers "kept" and a line break on
// its standard output once it holds the clipboard. The text is never on a
// command line or in a file.

// The keeper program of that name where the installed tree or the build puts
// it; empty when it is in neither.
QString keeperPath(const QString &name);

// Hands text, unless empty, to the keeper program of that name, if found.
// Called as the program ends.
void handTextToKeeper(const QString &name, const QString &text);

// Starts the keeper program and writes it the text; true once the keeper
// holds the clipboard. A keeper that has not answered within a second is
// ended, so that it cannot take the clipboard later over a newer text.
bool handOverToKeeper(const QString &keeper, const QString &text);
