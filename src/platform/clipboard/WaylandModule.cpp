// Opens platform/wayland/, built as a module, where the program runs on
// Wayland or XWayland.
#include "platform/clipboard/WaylandModule.h"

#include "platform/clipboard/DisplayClipboard.h"
#include "platform/clipboard/ProgramParts.h"

#include <QFile>
#include <QGuiApplication>

#include <dlfcn.h>

namespace {

// Opened once, at the first need, and kept for the program's life. A missing
// or broken module leaves Qt's clipboard alone at work, and says why.
void *waylandModule()
{
    static void *const module = [] {
        const QString path
            = programPart(QStringLiteral(TESSIVAN_MODULE_DIR), QStringLiteral("tessivan-wayland.so"));
        void *opened = path.isEmpty() ? nullptr : ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW);
        if (!opened)
            qWarning("The clipboard is left to Qt: %s",
                     path.isEmpty() ? "no tessivan-wayland.so was found." : ::dlerror());
        return opened;
    }();
    return module;
}

template<typename Entry> Entry moduleEntry(const char *name)
{
    void *module = waylandModule();
    void *entry = module ? ::dlsym(module, name) : nullptr;
    if (module && !entry)
        qWarning("The clipboard is left to Qt: %s", ::dlerror());
    return reinterpret_cast<Entry>(entry);
}

} // namespace

std::unique_ptr<DisplayClipboard> waylandClipboard()
{
    if (!QGuiApplication::platformName().startsWith(u"wayland"))
        return nullptr;
    const auto make = moduleEntry<decltype(&tessivanWaylandClipboard)>("tessivanWaylandClipboard");
    return std::unique_ptr<DisplayClipboard>(make ? make() : nullptr);
}

std::unique_ptr<DisplayClipboard> withWaylandBeside(std::unique_ptr<DisplayClipboard> x11)
{
    // Unset, the library would try a default name.
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return x11;
    const auto beside = moduleEntry<decltype(&tessivanWaylandBesideX11)>("tessivanWaylandBesideX11");
    return beside ? std::unique_ptr<DisplayClipboard>(beside(x11.release())) : std::move(x11);
}
