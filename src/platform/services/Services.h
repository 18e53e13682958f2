#pragma once

#include "platform/services/Status.h"

class QString;
class QUrl;
class QWidget;

// What the click handlers need from outside the window: the system clipboard,
// the desktop's web browser and message boxes. Texts come and go in the
// program's own form, a line break being CR LF.
class Services
{
public:
    virtual ~Services() = default;

    virtual Status clearClipboard() = 0;
    // Holds the text as plain text; fails if the clipboard did not take it.
    virtual Status setClipboardText(const QString &text) = 0;
    virtual Status openUrl(const QUrl &url) = 0;
    // Information box with one OK button, modal to window; returns when dismissed.
    virtual void showInformation(QWidget *window, const QString &text) = 0;
    // Says what failed; the program keeps running.
    virtual void reportError(QWidget *window, const Status &status) = 0;
};
