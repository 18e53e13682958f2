#pragma once

#include "platform/Status.h"

#include <QStringView>

class Form1;

// The author's contact row, fixed at build time.
extern const QStringView ContactSite;    // web host, caption of Label2
extern const QStringView ContactMail;    // e-mail address, caption of Label4
extern const QStringView ContactAddress; // what a click on the web host opens

Status openContactSite(Form1 &form);
Status copyContactMail(Form1 &form);
