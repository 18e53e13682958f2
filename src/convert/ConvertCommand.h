#pragma once

#include "platform/services/Status.h"

class Form1;

// "Convert": appends the alternating-case form of the input box's text to the
// output box. The input box and the focus stay as they are.
Status convertText(Form1 &form);
