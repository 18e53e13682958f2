#pragma once

#include <QCursor>

// The pointer over the clickable contact labels: a white hand with a raised
// index finger, its tip the hot spot. At scales above 1 its pixels are
// enlarged whole, so that it stays sharp.
QCursor HandPointer(qreal devicePixelRatio);
