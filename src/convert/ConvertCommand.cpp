#include "convert/ConvertCommand.h"

#include "convert/AlternateCase.h"
#include "platform/textbox/TextBox.h"
#include "window/Form1.h"

Status convertText(Form1 &form)
{
    const Ui::Form1 &controls = form.controls();
    appendBoxText(controls.Text2, AlternateCase(boxText(controls.Text1)));
    return Status::success();
}
