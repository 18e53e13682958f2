#pragma once

#include "platform/Status.h"

#include <QString>

class Form1;

// The author's contact row, fixed at build time.
extern const QString ContactSite;    // web host, caption of Label2
extern const QString ContactMail;    // e-mail address, caption of Label4
extern const QString ContactAddress; // what a click on the web host opens

Status openContactSite(Form1 &form);
Status copyContactMail(Form1 &form);
