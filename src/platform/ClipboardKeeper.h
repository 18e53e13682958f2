#pragma once

class QString;

// On X11 the program that copied serves the clipboard itself, so the text
// would go with it. Called as the program ends: when it owns the clipboard
// with text and no clipboard manager will take it over, starts
// tessivan-keeper and hands it the text through a pipe. Returns within about
// a second, the keeper holding the clipboard or the hand-over abandoned.
void keepClipboardAfterExit();

// The hand-over itself, apart for the tests: starts the keeper program and
// writes it the text; true once the keeper holds the clipboard. A keeper
// that has not answered within the second is ended.
bool handOverToKeeper(const QString &keeper, const QString &text);
