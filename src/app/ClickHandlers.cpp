#include "app/ClickHandlers.h"

#include "commands/ClipboardCommands.h"
#include "contact/ContactLabels.h"
#include "convert/ConvertCommand.h"

const Form1::ClickHandlers Form1Clicks = {
    .Command1 = convertText,     // "Convert"
    .Command2 = copyToClipboard, // "Copy to Clipboard"
    .Command3 = clearBoxes,      // "Clear"
    .Label2 = openContactSite,   // the web host
    .Label4 = copyContactMail,   // the e-mail address
};
