#include "contact/ContactLabels.h"

#include "BuildSettings.h"
#include "platform/services/Services.h"
#include "window/Form1.h"

#include <QUrl>

Status openContactSite(Form1 &form)
{
    // The stored address, not the label's caption.
    return form.services().openUrl(QUrl(ContactAddress.toString()));
}

Status copyContactMail(Form1 &form)
{
    Services &services = form.services();

    if (Status status = services.clearClipboard(); !status.ok())
        return status;
    if (Status status = services.setClipboardText(form.controls().Label4->text()); !status.ok())
        return status;
    services.showInformation(&form, QStringLiteral("The e-mail is copied out in the clipboard!"));
    return Status::success();
}
