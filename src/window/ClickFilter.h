#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Turns a press and release of the primary mouse button over a widget into a
// click. The second click of a double-click is not a click.
class ClickFilter : public QObject
{
    Q_OBJECT

public:
    ClickFilter(QWidget *widget, std::function<void()> onClick);

    // What a click does, for a click that comes other than by mouse.
    Q_INVOKABLE void click() const { m_onClick(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_widget;
    std::function<void()> m_onClick;
    bool m_pressed = false;
};
