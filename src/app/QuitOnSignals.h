#pragma once

// Makes SIGTERM, SIGINT and SIGHUP (a task manager's End, Ctrl+C in a
// terminal, the terminal closed) quit the event loop, so that the program
// ends as after a close and keeps the text it copied. A signal ignored when
// the program started stays ignored, as nohup means it to. Call once, after
// the application object exists.
void quitOnSignals();
