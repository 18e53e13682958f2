#pragma once

#include "FakeServices.h"
#include "app/Form1.h"

#include <QPlainTextEdit>
#include <QTest>

// The real window, shown and active, with services that record and can fail.
struct ShownForm
{
    ShownForm() : form(services)
    {
        form.show();
        if (!QTest::qWaitForWindowActive(&form))
            qFatal("the window did not become active");
    }

    template<typename T = QWidget> T *control(const char *name) const
    {
        auto *widget = form.findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QPlainTextEdit *box(const char *name) const { return control<QPlainTextEdit>(name); }

    FakeServices services;
    Form1 form;
};
