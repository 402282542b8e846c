#include "gui/desktop/SelectionReader.h"

#include <QClipboard>
#include <QGuiApplication>

namespace desktop {

namespace {

core::ResultOf<QString> readText(QClipboard::Mode mode, const QString& failure)
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QString text = clipboard ? clipboard->text(mode) : QString();
    if (text.trimmed().isEmpty())
        return core::Result::failure(failure);
    return text;
}

} // namespace

core::ResultOf<QString> readSelection()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const bool primary = clipboard && clipboard->supportsSelection();
    return readText(primary ? QClipboard::Selection : QClipboard::Clipboard, QStringLiteral("nothing selected"));
}

core::ResultOf<QString> readClipboard()
{
    return readText(QClipboard::Clipboard, QStringLiteral("nothing on the clipboard"));
}

} // namespace desktop
