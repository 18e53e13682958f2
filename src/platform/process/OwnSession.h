#pragma once

#include <sys/types.h>

// Starts the program at path, arguments[0] being its name and the array
// ending with a null, for the program's helpers that outlive it (a clipboard
// keeper, a browser's opener): in a session of its own, so that the
// terminal's hang-up or Ctrl+C does not reach it; with the signals a program
// starts with; in the folder "/", holding no folder of the user's open; and
// with no descriptor but its standard ones. input becomes its standard input
// (-1: none, /dev/null), output its standard output (-1: this program's).
// Returns its process id, or -1 where it could not be started.
pid_t startInOwnSession(const char *path, char *const arguments[], int input, int output);
