#include "window/Accessibility.h"

#include "window/ClickFilter.h"
#include "window/Form1.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {

// A label that acts on a click: a link, pressed as it is clicked, without
// the keyboard focus labels never take.
class ClickableLabel final : public QAccessibleWidget
{
public:
    explicit ClickableLabel(QLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}

    // Its own text; a widget's name would otherwise be its caption's.
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return static_cast<const QLabel *>(widget())->text();
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
    void doAction(const QString &name) override
    {
        if (name != pressAction())
            return;
        // Later, as Qt presses buttons: the click may open a modal message
        // box, and the screen reader waits for the press to return.
        if (auto *click = widget()->findChild<ClickFilter *>(QString(), Qt::FindDirectChildrenOnly))
            QMetaObject::invokeMethod(click, "click", Qt::QueuedConnection);
    }
};

QAccessibleInterface *accessibleControl(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    auto *form = widget ? qobject_cast<Form1 *>(widget->window()) : nullptr;
    if (!form)
        return nullptr;
    const Ui::Form1 &controls = form->controls();
    if (className == u"Form1")
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == u"QFrame" && (widget == controls.Line1 || widget == controls.Line2))
        return new QAccessibleWidget(widget, QAccessible::Separator);
    if (className == u"QLabel" && (widget == controls.Label2 || widget == controls.Label4))
        return new ClickableLabel(static_cast<QLabel *>(widget));
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = (QAccessible::installFactory(accessibleControl), true);
    Q_UNUSED(installed);
}
