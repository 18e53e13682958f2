#include "platform/textbox/ProgramText.h"

#include "platform/clipboard/ClipboardText.h"

#include <algorithm>

QString toProgramText(const QString &qtText)
{
    const auto isBreak = [](QChar c) {
        return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
    };
    if (std::none_of(qtText.cbegin(), qtText.cend(), isBreak))
        return qtText;

    QString text;
    text.reserve(qtText.size() + qtText.size() / 8);
    for (qsizetype i = 0; i < qtText.size(); ++i) {
        const QChar c = qtText.at(i);
        if (!isBreak(c)) {
            text += c;
            continue;
        }
        if (c == u'\r' && i + 1 < qtText.size() && qtText.at(i + 1) == u'\n')
            ++i;
        text += u"\r\n";
    }
    return text;
}

QString toQtText(const QString &programText)
{
    // By hand: QString::replace() takes superlinear time for a million matches.
    QString text(programText.size(), Qt::Uninitialized);
    QChar *out = text.data();
    const QChar *in = programText.constData();
    const QChar *const end = in + programText.size();
    for (; in != end; ++in) {
        if (*in != u'\r' || in + 1 == end || in[1] != u'\n')
            *out++ = *in;
    }
    text.truncate(out - text.constData());
    return text;
}

QMimeData *clipboardTextOf(const QString &text)
{
    return clipboardText(toQtText(text));
}
