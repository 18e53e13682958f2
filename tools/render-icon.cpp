// Renders the window icon's SVG to PNG files of the given sizes, at build time:
// the program then needs no SVG support to show its icon. With --pixels,
// writes each size as the PNG's pixels, not premultiplied, in the build
// machine's byte order (a file named by the size), which the program reads
// without an image decoder. With --ico, writes the Windows icon instead:
// 32 x 32 in 2 and in 16 colours, 16 x 16 in 16 colours, 48 x 48 in true
// colour and 256 x 256 as PNG.
// Usage: render-icon [--pixels] ICON.svg OUTPUT_DIR SIZE...
//        render-icon --ico ICON.svg OUTPUT.ico
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <QBuffer>
#include <QFile>
#include <QtEndian>

#include <cstdio>

namespace {

QImage render(QSvgRenderer &svg, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The 16 colours every Windows display has.
const QRgb Vga[16]
    = {0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
       0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff};

int nearest(QRgb colour, int count)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < count; ++i) {
        const int r = qRed(colour) - qRed(Vga[i]), g = qGreen(colour) - qGreen(Vga[i]),
                  b = qBlue(colour) - qBlue(Vga[i]);
        const int distance = r * r + g * g + b * b;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

template<typename T> void put(QByteArray &out, T value)
{
    value = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&value), sizeof value);
}

// An icon image as a DIB: header, palette, colour rows and the transparency
// mask, both bottom-up. bits is 1, 4 or 32.
QByteArray dib(const QImage &image, int bits)
{
    const int size = image.width();
    QByteArray out;
    put<quint32>(out, 40);
    put<qint32>(out, size);
    put<qint32>(out, size * 2); // colour rows and mask rows
    put<quint16>(out, 1);
    put<quint16>(out, quint16(bits));
    for (int i = 0; i < 6; ++i)
        put<quint32>(out, 0);
    if (bits == 1) {
        put<quint32>(out, 0xff000000);
        put<quint32>(out, 0xffffffff);
    } else if (bits == 4) {
        for (const QRgb colour : Vga)
            put<quint32>(out, colour & 0xffffff);
    }
    const auto opaque = [&](int x, int y) { return qAlpha(image.pixel(x, y)) >= 128; };
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row;
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (bits == 32) {
                put<quint32>(row, pixel);
            } else {
                // On two colours the letters are black; on sixteen, their nearest colour.
                const int index = !opaque(x, y) ? 0 : bits == 1 ? 0 : nearest(pixel, 16);
                const int perByte = 8 / bits;
                if (x % perByte == 0)
                    row.append('\0');
                row.back() = char(row.back() | (index << (8 - bits * (x % perByte + 1))));
            }
        }
        while (row.size() % 4)
            row.append('\0');
        out += row;
    }
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(qsizetype(size + 31) / 32 * 4, '\0'); // rows of whole 32-bit words
        for (int x = 0; x < size; ++x) {
            if (!opaque(x, y))
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out += row;
    }
    return out;
}

bool writeIco(QSvgRenderer &svg, const QString &path)
{
    struct Entry
    {
        int size;
        int bits; // 0: PNG
    };
    const Entry entries[] = {{32, 1}, {32, 4}, {16, 4}, {48, 32}, {256, 0}};
    QList<QByteArray> images;
    for (const Entry &entry : entries) {
        const QImage image = render(svg, entry.size);
        if (entry.bits != 0) {
            images << dib(image, entry.bits);
        } else {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            images << png;
        }
    }
    QByteArray out;
    put<quint16>(out, 0);
    put<quint16>(out, 1); // an icon
    put<quint16>(out, quint16(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        const Entry &entry = entries[i];
        out.append(char(entry.size % 256)); // 0 stands for 256
        out.append(char(entry.size % 256));
        out.append(char(entry.bits == 1 ? 2 : entry.bits == 4 ? 16 : 0));
        out.append('\0');
        put<quint16>(out, 1);
        put<quint16>(out, quint16(entry.bits == 0 ? 32 : entry.bits));
        put<quint32>(out, quint32(images[i].size()));
        put<quint32>(out, offset);
        offset += quint32(images[i].size());
    }
    out += images.join();
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}

// Row after row, as the X11 window icon property wants them.
bool writePixels(const QImage &image, const QString &path)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QFile file(path);
    const auto bytes = qint64(argb.sizeInBytes());
    return file.open(QIODevice::WriteOnly)
        && file.write(reinterpret_cast<const char *>(argb.constBits()), bytes) == bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == u"--ico") {
        QSvgRenderer svg(args[2]);
        if (!svg.isValid() || !writeIco(svg, args[3])) {
            std::fprintf(stderr, "render-icon: cannot make %s\n", qPrintable(args[3]));
            return 1;
        }
        return 0;
    }
    const bool pixels = args.size() > 1 && args[1] == u"--pixels";
    const QStringList rest = args.mid(pixels ? 2 : 1);
    if (rest.size() < 3) {
        std::fprintf(
            stderr,
            "usage: render-icon [--pixels] ICON.svg OUTPUT_DIR SIZE... | --ico ICON.svg OUTPUT.ico\n");
        return 2;
    }
    QSvgRenderer svg(rest[0]);
    if (!svg.isValid()) {
        std::fprintf(stderr, "render-icon: cannot read %s\n", qPrintable(rest[0]));
        return 1;
    }
    QDir().mkpath(rest[1]);
    for (const QString &sizeText : rest.mid(2)) {
        const QImage image = render(svg, sizeText.toInt());
        const QString path = pixels ? QStringLiteral("%1/%2").arg(rest[1], sizeText)
                                    : QStringLiteral("%1/tessivan-%2.png").arg(rest[1], sizeText);
        if (!(pixels ? writePixels(image, path) : image.save(path))) {
            std::fprintf(stderr, "render-icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
