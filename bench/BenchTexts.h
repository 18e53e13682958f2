#pragma once

#include <QString>

// Texts of a given size in UTF-16 units, in the program's form (CR LF breaks).
namespace BenchTexts {

// Repeats pieces until the text has the size, then cuts it there.
inline QString repeat(const QString &piece, qsizetype size)
{
    QString text;
    text.reserve(size + piece.size());
    while (text.size() < size)
        text += piece;
    text.truncate(size);
    return text;
}

inline QString asciiProse(qsizetype size)
{
    return repeat(QStringLiteral("The quick brown fox jumps over the lazy dog, then rests a "
                                 "while by the river bank.\r\n"),
                  size);
}

inline QString cyrillicProse(qsizetype size)
{
    return repeat(QStringLiteral("Съешь же ещё этих мягких французских булок, да выпей "
                                 "чаю у самовара.\r\n"),
                  size);
}

inline QString mixed(qsizetype size)
{
    return repeat(QStringLiteral("Mixed текст with emoji \U0001F600\U0001F680 and "
                                 "Ελληνικά, 日本語 \U00010428\U00010400.\r\n"),
                  size);
}

// One paragraph of ordinary words, without a line break.
inline QString paragraph(qsizetype size)
{
    return repeat(QStringLiteral("The quick brown fox jumps over the lazy dog, then rests a "
                                 "while by the river bank. "),
                  size);
}

// One run without any break opportunity, as a pasted base64 blob.
inline QString unbreakableRun(qsizetype size)
{
    return repeat(QStringLiteral("QmFzZTY0IGJsb2Igd2l0aG91dCBicmVha3M+/"), size);
}

inline QString shortLines(qsizetype size)
{
    return repeat(QStringLiteral("item 42\r\n"), size);
}

} // namespace BenchTexts
