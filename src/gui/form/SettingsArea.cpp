#include "gui/form/SettingsArea.h"

#include "gui/form/Controls.h"

#include <QGroupBox>
#include <QPushButton>

namespace form {

void ckSetX(const Controls& c)
{
    const bool shown = c.ckSet->isChecked();
    for (QGroupBox* frame : {c.frFile, c.frTime, c.frDebug, c.frOptions, c.frWords, c.frTask})
        frame->setEnabled(shown);
    const int sign = shown ? 1 : -1;
    // The window is fixed in size: the frames outside the client area are simply cut off.
    const QSize size(c.window->width() + sign * kSettingsWidth, c.window->height() + sign * kSettingsHeight);
    c.window->setFixedSize(size);
}

} // namespace form
