#include "contact/ContactLabels.h"

#include "app/Form1.h"
#include "platform/Services.h"
#include "ui_Form1.h"

#include <QUrl>

const QStringView ContactSite = u"" TESSIVAN_CONTACT_SITE;
const QStringView ContactMail = u"" TESSIVAN_CONTACT_MAIL;
const QStringView ContactAddress = u"" TESSIVAN_CONTACT_ADDRESS;

Status openContactSite(Form1 &form)
{
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
