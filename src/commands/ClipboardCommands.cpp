#include "commands/ClipboardCommands.h"

#include "platform/services/Services.h"
#include "platform/textbox/TextBox.h"
#include "window/Form1.h"

Status copyToClipboard(Form1 &form)
{
    const Ui::Form1 &controls = form.controls();
    Services &services = form.services();

    moveFocus(controls.Text2);
    selectAll(controls.Text2);
    if (Status status = services.clearClipboard(); !status.ok())
        return status;
    if (Status status = services.setClipboardText(selectedTextOfActiveControl(&form)); !status.ok())
        return status;
    moveFocus(controls.Command2);
    return Status::success();
}

Status clearBoxes(Form1 &form)
{
    const Ui::Form1 &controls = form.controls();

    if (Status status = form.services().clearClipboard(); !status.ok())
        return status;
    replaceBoxText(controls.Text1, QString());
    replaceBoxText(controls.Text2, QString());
    return Status::success();
}
