#include "gui/form/CaptionFit.h"

#include "gui/form/Controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>

namespace form {

namespace {

constexpr int FrameMargin = px(60);

bool fits(const QAbstractButton* button)
{
    return button->sizeHint().width() <= button->width();
}

// The row's controls side by side at their natural widths, the room left over shared out between them.
void spreadInRow(const QList<QRadioButton*>& row, int left, int right)
{
    int needed = 0;
    for (const QRadioButton* option : row)
        needed += option->sizeHint().width();
    const int extra = qMax(0, (right - left - needed) / int(row.size()));
    int x = left;
    for (QRadioButton* option : row) {
        const int width = option->sizeHint().width() + extra;
        option->setGeometry(x, option->y(), width, option->height());
        x += width;
    }
}

} // namespace

void fitCaptions(const Controls& c)
{
    const bool taskRowFits = std::all_of(c.oTask.begin(), c.oTask.end(), fits);
    if (!taskRowFits)
        spreadInRow(c.oTask, c.oTask.first()->x(), c.frTask->width() - FrameMargin);

    // The two dictionary switches share a row with the four list buttons; the row below them is free.
    if (!fits(c.ckWords) || !fits(c.ckCSens)) {
        const int y = px(5940);
        const int wordsWidth = c.ckWords->sizeHint().width();
        c.ckWords->setGeometry(px(120), y, wordsWidth, c.ckWords->height());
        c.ckCSens->setGeometry(px(120) + wordsWidth + px(120), y, c.ckCSens->sizeHint().width(), c.ckCSens->height());
    }

    // Any other caption: wider in place while the frame has room.
    for (QAbstractButton* button : c.window->findChildren<QAbstractButton*>()) {
        if (!qobject_cast<QCheckBox*>(button) && !qobject_cast<QRadioButton*>(button))
            continue;
        const int room = button->parentWidget()->width() - FrameMargin - button->x();
        if (!fits(button) && button->sizeHint().width() <= room)
            button->resize(button->sizeHint().width(), button->height());
    }
}

} // namespace form
