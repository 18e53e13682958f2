#include "window/ClickFilter.h"

#include <QMouseEvent>
#include <QWidget>

ClickFilter::ClickFilter(QWidget *widget, std::function<void()> onClick)
    : QObject(widget), m_widget(widget), m_onClick(std::move(onClick))
{
    widget->installEventFilter(this);
}

bool ClickFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_widget)
        return false;

    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pressed = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        break;
    case QEvent::MouseButtonDblClick:
        // Qt sends this instead of the second press.
        m_pressed = false;
        break;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && m_pressed) {
            m_pressed = false;
            if (m_widget->rect().contains(mouse->position().toPoint()))
                m_onClick();
        }
        break;
    }
    default:
        break;
    }
    return false;
}
