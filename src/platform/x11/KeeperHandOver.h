#pragma once

class QString;

// tessivan-keeper, where the installed tree or the build puts it; empty when
// it is in neither.
QString keeperPath();

// Starts the keeper program and writes it the text; true once the keeper
// holds the clipboard. A keeper that has not answered within a second is
// ended, so that it cannot take the clipboard later over a newer text.
bool handOverToKeeper(const QString &keeper, const QString &text);
