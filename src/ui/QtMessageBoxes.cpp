#include "ui/QtMessageBoxes.h"

#include "app/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {

namespace {

app::MessageAnswer showBox(const app::Message& message)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(message.title);
    box.setText(message.text);
    switch (message.icon) {
    case app::MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case app::MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case app::MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case app::MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    if (message.buttons == app::MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(message.defaultAnswer == app::MessageAnswer::Yes ? QMessageBox::Yes : QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? app::MessageAnswer::Yes : app::MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return app::MessageAnswer::Ok;
}

} // namespace

void useQtMessageBoxes()
{
    app::setMessageHandler(showBox);
}

} // namespace ui
