#include "platform/services/Status.h"

QString Status::message() const
{
    return QStringLiteral("Error %1: %2").arg(m_number).arg(m_description);
}
