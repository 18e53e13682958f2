#pragma once

#include "platform/services/Status.h"

class Form1;

// The author's contact row. Its values (ContactSite, ContactAddress,
// ContactMail) are fixed at build time, in BuildSettings.h.
Status openContactSite(Form1 &form);
Status copyContactMail(Form1 &form);
