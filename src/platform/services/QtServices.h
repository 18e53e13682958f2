#pragma once

#include "platform/services/Services.h"

#include <memory>

class DisplayClipboard;

// The services as Qt provides them on the desktop the program runs on.
class QtServices : public Services
{
public:
    QtServices();
    ~QtServices() override;

    Status clearClipboard() override;
    Status setClipboardText(const QString &text) override;
    Status openUrl(const QUrl &url) override;
    void showInformation(QWidget *window, const QString &text) override;
    void reportError(QWidget *window, const Status &status) override;

    // Called as the program ends, so that copied text outlives it where the
    // display system would let it go.
    void keepClipboardAfterExit();

private:
    std::unique_ptr<DisplayClipboard> m_display;
};
