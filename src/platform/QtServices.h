#pragma once

#include "platform/Services.h"

class QtServices : public Services
{
public:
    Status clearClipboard() override;
    Status setClipboardText(const QString &text) override;
    Status openUrl(const QUrl &url) override;
    void showInformation(QWidget *window, const QString &text) override;
    void reportError(QWidget *window, const Status &status) override;
};

// Title of every message box; the window itself has its own caption.
inline constexpr char16_t ApplicationTitle[] = u"Velmora";
