#include "platform/clipboard/DisplayClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

DisplayClipboard *current = nullptr;

} // namespace

DisplayClipboard::DisplayClipboard()
{
    current = this;
}

DisplayClipboard::~DisplayClipboard()
{
    if (current == this)
        current = nullptr;
}

void DisplayClipboard::put(QMimeData *data)
{
    QGuiApplication::clipboard()->setMimeData(data);
}

bool putOnClipboard(QMimeData *data)
{
    if (!current) {
        QGuiApplication::clipboard()->setMimeData(data);
        return true;
    }
    current->put(data);
    return current->displayTookOurCopy();
}

const QMimeData *clipboardData()
{
    const QMimeData *served = current ? current->servedCopy() : nullptr;
    return served ? served : QGuiApplication::clipboard()->mimeData();
}

std::unique_ptr<DisplayClipboard> displayClipboard()
{
    if (auto x11 = x11Clipboard())
        return withWaylandBeside(std::move(x11));
    if (auto wayland = waylandClipboard())
        return wayland;
    return std::make_unique<DisplayClipboard>();
}
