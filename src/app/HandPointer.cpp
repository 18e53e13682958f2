#include "app/HandPointer.h"

#include <QPixmap>

QCursor HandPointer()
{
    return QCursor(QPixmap(QStringLiteral(":/hand-pointer.xpm")), 12, 1);
}
