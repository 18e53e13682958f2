#include "window/HandPointer.h"

#include <QPixmap>

// As a C array, read without the image readers Qt looks for among its plugins.
#include "hand-pointer.xpm"

#include <cmath>

QCursor HandPointer(qreal devicePixelRatio)
{
    QPixmap hand(hand_pointer);
    if (devicePixelRatio > 1) {
        const int size = int(std::lround(hand.width() * devicePixelRatio));
        hand = hand.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        hand.setDevicePixelRatio(devicePixelRatio);
    }
    // The hot spot is in the picture's own pixels, as Qt scales it too.
    return QCursor(hand, 12, 1);
}
