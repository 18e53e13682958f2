#pragma once

class QWidget;
class QWindow;

// Asks the window system for the frame of a window of fixed size: a title
// bar with the system menu and the close button only, no minimise, no
// maximise, no resizing; a maximised or full-screen state, where a window
// system gives one anyway, is taken back. For a top-level widget, before it
// is shown: it creates the native window.
void askForFixedFrame(QWidget *window);

// What a display system adds where Qt asks for more: the build links the
// display system's own, or a stand-in that does nothing where it leaves that
// display system out.
void askX11ForFixedFrame(QWindow *window);
