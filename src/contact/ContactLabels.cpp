#include "contact/ContactLabels.h"

const QString ContactSite = QString::fromUtf8(TESSIVAN_CONTACT_SITE);
const QString ContactMail = QString::fromUtf8(TESSIVAN_CONTACT_MAIL);
const QString ContactAddress = QString::fromUtf8(TESSIVAN_CONTACT_ADDRESS);

Status openContactSite(Form1 &)
{
    return Status::success();
}

Status copyContactMail(Form1 &)
{
    return Status::success();
}
