#include "convert/ConvertCommand.h"

#include "app/Form1.h"
#include "convert/AlternateCase.h"
#include "platform/TextBox.h"
#include "ui_Form1.h"

Status convertText(Form1 &form)
{
    const Ui::Form1 &controls = form.controls();
    appendBoxText(controls.Text2, AlternateCase(boxText(controls.Text1)));
    return Status::success();
}
