#include "window/HandPointer.h"

#include <QPixmap>

#include <cmath>

QCursor HandPointer(qreal devicePixelRatio)
{
    QPixmap hand(QStringLiteral(":/hand-pointer.xpm"));
    if (devicePixelRatio > 1) {
        const int size = int(std::lround(hand.width() * devicePixelRatio));
        hand = hand.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        hand.setDevicePixelRatio(devicePixelRatio);
    }
    // The hot spot is in the picture's own pixels, as Qt scales it too.
    return QCursor(hand, 12, 1);
}
