// Standard input as the program converts it, on standard output: for the
// end-to-end tests, which read the boxes through the clipboard, with LF line
// breaks, and need only know that the output ends with the input's conversion.
#include "convert/AlternateCase.h"
#include "platform/textbox/ProgramText.h"

#include <QFile>

int main()
{
    QFile in, out;
    if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(stdout, QIODevice::WriteOnly))
        return 1;
    const QString text = toProgramText(QString::fromUtf8(in.readAll()));
    return out.write(toQtText(AlternateCase(text)).toUtf8()) < 0 ? 1 : 0;
}
