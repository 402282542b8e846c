#include "gui/form/QtMessageBoxes.h"

#include "base/core/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace form {

namespace {

core::MessageAnswer showBox(const core::Message& message)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(message.title);
    box.setText(message.text);
    switch (message.icon) {
    case core::MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case core::MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case core::MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case core::MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    if (message.buttons == core::MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(message.defaultAnswer == core::MessageAnswer::Yes ? QMessageBox::Yes : QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? core::MessageAnswer::Yes : core::MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return core::MessageAnswer::Ok;
}

} // namespace

void useQtMessageBoxes()
{
    core::setMessageHandler(showBox);
}

} // namespace form
