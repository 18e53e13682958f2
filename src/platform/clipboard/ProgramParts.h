#pragma once

#include <QString>

// A part of the program in a file of its own (a keeper, a module): installed
// in a folder given relative to the program's, in the build beside the
// program. Empty where neither has it.
QString programPart(const QString &installedFolder, const QString &name);
