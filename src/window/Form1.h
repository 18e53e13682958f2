#pragma once

#include "platform/services/Status.h"
#include "ui_Form1.h"

#include <QWidget>

class Services;

// The program's one window. Each click on a button or a contact label runs
// the handler given for it, which reaches the controls through controls()
// and the world outside through services(). Which handler a click runs is
// decided where the program is put together (app/), not here.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    using Handler = Status (*)(Form1 &);
    // The clicks that run handlers, by control; no other event is handled.
    struct ClickHandlers
    {
        Handler Command1;
        Handler Command2;
        Handler Command3;
        Handler Label2;
        Handler Label4;
    };

    Form1(Services &services, const ClickHandlers &handlers, QWidget *parent = nullptr);

    // Not const: the handlers change the window through its controls.
    const Ui::Form1 &controls() { return m_ui; }
    Services &services() { return m_services; }

private:
    void run(Handler handler);

    Ui::Form1 m_ui;
    Services &m_services;
};
