#pragma once

#include <QCursor>

// The pointer over the clickable contact labels: a white hand with a raised
// index finger, its tip the hot spot.
QCursor HandPointer();
