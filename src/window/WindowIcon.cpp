#include "window/WindowIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QResource>

#include <algorithm>
#include <utility>

#if defined(TESSIVAN_LINUX)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// Square renderings, each a file named by its side.
constexpr QStringView Folder = u":/icons";

QList<int> sidesInFolder()
{
    QList<int> sides;
    for (const QString &name : QDir(Folder.toString()).entryList(QDir::Files))
        sides << name.toInt();
    std::sort(sides.begin(), sides.end());
    return sides;
}

struct Rendering
{
    const uchar *pixels;
    qsizetype bytes;
};

// Read in place from the program's file, a rendering's pages would stay
// resident for the program's life, though the window system keeps its own
// copy: once it is dropped, they are let go. Only pages wholly its own; touched
// again, they are read from the file.
void releasePages(const uchar *start, qsizetype bytes)
{
#if defined(TESSIVAN_LINUX)
    const auto page = qsizetype(::sysconf(_SC_PAGESIZE));
    const qsizetype lead = (page - qsizetype(quintptr(start) % quintptr(page))) % page;
    const qsizetype span = (bytes - lead) / page * page;
    if (span > 0)
        ::madvise(const_cast<uchar *>(start + lead), size_t(span), MADV_DONTNEED);
#else
    Q_UNUSED(start);
    Q_UNUSED(bytes);
#endif
}

void dropRendering(void *dropped)
{
    const auto *rendering = static_cast<const Rendering *>(dropped);
    releasePages(rendering->pixels, rendering->bytes);
    delete rendering;
}

QPixmap load(int side)
{
    const QResource resource(Folder.toString() + u'/' + QString::number(side));
    const qsizetype bytes = qsizetype(side) * side * 4;
    // rcc's array is aligned, and each rendering's size is a multiple of 4.
    if (resource.compressionAlgorithm() != QResource::NoCompression || resource.size() != bytes
        || quintptr(resource.data()) % alignof(quint32) != 0)
        return {};
    // Not premultiplied, as the X11 window icon property wants them, so that
    // Qt only copies them there.
    QImage image(resource.data(), side, side, qsizetype(side) * 4, QImage::Format_ARGB32, dropRendering,
                 new Rendering {resource.data(), bytes});
    return QPixmap::fromImage(std::move(image), Qt::NoFormatConversion);
}

// Chooses, sizes and draws as Qt's own engine does for a set of pictures, so
// that every size and mode looks as a QIcon of the renderings would.
class RenderingsOnRequest final : public QIconEngine
{
public:
    QIconEngine *clone() const override { return new RenderingsOnRequest(*this); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const int side : m_sides)
            sizes << QSize(side, side);
        return sizes;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = bestSide(size);
        QSize actual(side, side);
        if (actual.width() > size.width() || actual.height() > size.height())
            actual.scale(size, Qt::KeepAspectRatio);
        return actual;
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        const QSize actual = actualSize(size, mode, state);
        QPixmap rendering = load(bestSide(size));
        if (rendering.isNull() || actual.isEmpty())
            return {};
        if (rendering.size() != actual)
            rendering = rendering.scaled(actual, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (mode == QIcon::Normal)
            return rendering;
        // Greyed or highlighted by the style, as Qt does it for any picture.
        return QIcon(rendering).pixmap(actual, 1.0, mode, state);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const QPaintDevice *device = painter->device();
        const qreal scale = device ? device->devicePixelRatio() : qGuiApp->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * scale, mode, state));
    }

private:
    // The smallest at least as large as asked, by area, or else the largest.
    int bestSide(const QSize &size) const
    {
        const qint64 wanted = qint64(size.width()) * size.height();
        const auto found = std::find_if(m_sides.cbegin(), m_sides.cend(),
                                        [&](int side) { return qint64(side) * side >= wanted; });
        return found != m_sides.cend() ? *found : m_sides.isEmpty() ? 0 : m_sides.last();
    }

    QList<int> m_sides = sidesInFolder();
};

} // namespace

QIcon WindowIcon()
{
    return QIcon(new RenderingsOnRequest);
}
