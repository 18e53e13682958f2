#include "platform/services/QtServices.h"

#include "BuildSettings.h"
#include "platform/clipboard/DisplayClipboard.h"
#include "platform/frame/FixedFrame.h"
#include "platform/services/DesktopOpener.h"
#include "platform/textbox/ProgramText.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

namespace {

void showMessageBox(QWidget *window, QMessageBox::Icon icon, const QString &text)
{
    QMessageBox box(icon, VendorName.toString(), text, QMessageBox::Ok, window);
    askForFixedFrame(&box);
    box.exec();
    // Not every window manager hands the activation back, and without it the
    // focus would not return to the control that had it.
    if (window)
        window->activateWindow();
}

} // namespace

QtServices::QtServices() : m_display(displayClipboard()) {}

QtServices::~QtServices() = default;

Status QtServices::clearClipboard()
{
    m_display->put(m_display->emptiness());
    if (!m_display->displayTookTheEmptying())
        return Status::error(ErrorNumber::ClipboardNotSet,
                             QStringLiteral("The clipboard could not be emptied."));
    return Status::success();
}

Status QtServices::setClipboardText(const QString &text)
{
    QMimeData *data = clipboardTextOf(text);
    const QString plain = data->text();
    m_display->put(data);
    // Qt takes a copy for done: ask the display server, which may have
    // refused it, then read back what the program's own paste would get.
    const QMimeData *held = clipboardData();
    if (!m_display->displayTookOurCopy() || !held || held->text() != plain)
        return Status::error(ErrorNumber::ClipboardNotSet,
                             QStringLiteral("The clipboard did not take the text."));
    return Status::success();
}

Status QtServices::openUrl(const QUrl &url)
{
    Opened opened = openWithXdgOpen(url);
    if (opened == Opened::NotAsked)
        opened = QDesktopServices::openUrl(url) ? Opened::Yes : Opened::No;
    if (opened == Opened::No)
        return Status::error(ErrorNumber::BrowserNotStarted,
                             QStringLiteral("No web browser could be started for %1.").arg(url.toString()));
    return Status::success();
}

void QtServices::showInformation(QWidget *window, const QString &text)
{
    showMessageBox(window, QMessageBox::Information, text);
}

void QtServices::reportError(QWidget *window, const Status &status)
{
    showMessageBox(window, QMessageBox::Critical, status.message());
}

void QtServices::keepClipboardAfterExit()
{
    m_display->keepAfterExit();
}
