#include "platform/clipboard/ProgramParts.h"

#include <QCoreApplication>
#include <QFileInfo>

QString programPart(const QString &installedFolder, const QString &name)
{
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString &folder : {here + u'/' + installedFolder, here}) {
        const QFileInfo found(folder + u'/' + name);
        if (found.isFile())
            return found.absoluteFilePath();
    }
    return {};
}
