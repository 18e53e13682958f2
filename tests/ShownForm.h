#pragma once

#include "FakeServices.h"
#include "app/ClickHandlers.h"
#include "platform/textbox/TextBoxWidget.h"
#include "window/Form1.h"

#include <QTest>

// The real window, shown and active, with services that record and can fail.
struct ShownForm
{
    ShownForm() : form(services, Form1Clicks)
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
    TextBoxWidget *box(const char *name) const { return control<TextBoxWidget>(name); }

    FakeServices services;
    Form1 form;
};
