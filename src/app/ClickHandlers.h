#pragma once

#include "window/Form1.h"

// Which handler each click on the window runs.
extern const Form1::ClickHandlers Form1Clicks;
