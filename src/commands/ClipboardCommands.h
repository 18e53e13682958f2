#pragma once

#include "platform/services/Status.h"

class Form1;

// "Copy to Clipboard": puts the whole output box on the clipboard.
Status copyToClipboard(Form1 &form);
// "Clear": empties the clipboard and both text boxes.
Status clearBoxes(Form1 &form);
