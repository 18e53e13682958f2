#pragma once

#include "platform/Status.h"

#include <QWidget>

#include <memory>

namespace Ui {
class Form1;
}
class Services;

// The program's one window. Each click on a button or a contact label runs
// its handler, which reaches the controls through controls() and the world
// outside through services().
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(Services &services, QWidget *parent = nullptr);
    ~Form1() override;

    const Ui::Form1 &controls() const { return *m_ui; }
    Services &services() const { return m_services; }

private:
    using Handler = Status (*)(Form1 &);
    void run(Handler handler);

    std::unique_ptr<Ui::Form1> m_ui;
    Services &m_services;
};
