#include "gui/form/Accessibility.h"

#include "gui/form/Controls.h"
#include "gui/form/TextBox.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>

namespace form {

namespace {

QString withoutMnemonic(QString caption)
{
    caption.replace(QLatin1String("&&"), QStringLiteral("\u0001"));
    caption.remove(QLatin1Char('&'));
    return caption.replace(QChar(1), QLatin1Char('&'));
}

QString tidyToolTip(QString toolTip)
{
    static const QRegularExpression shortcut(QStringLiteral("^\\s*\\[[^\\]]*\\]:?"));
    static const QRegularExpression ellipsis(QStringLiteral("\\s*(\\.\\.\\.|\u2026)\\s*$"));
    toolTip.remove(shortcut);
    toolTip.remove(ellipsis);
    return toolTip.trimmed();
}

bool hasLetters(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

void name(QWidget* widget, const QString& accessibleName)
{
    widget->setAccessibleName(accessibleName);
    if (auto* box = qobject_cast<TextBox*>(widget))
        box->editor()->setAccessibleName(accessibleName); // the editor inside is what takes the focus
}

} // namespace

QString accessibleNameFrom(const QString& caption, const QString& toolTip)
{
    const QString fromCaption = withoutMnemonic(caption).trimmed();
    if (hasLetters(fromCaption))
        return fromCaption;
    return tidyToolTip(toolTip);
}

void applyAccessibility(const Controls& c)
{
    for (QWidget* widget : c.window->findChildren<QWidget*>()) {
        QString caption;
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            caption = button->text();
        else if (auto* label = qobject_cast<QLabel*>(widget))
            caption = label->text();
        const QString accessibleName = accessibleNameFrom(caption, widget->toolTip());
        if (!accessibleName.isEmpty())
            widget->setAccessibleName(accessibleName);
        if (!widget->toolTip().trimmed().isEmpty())
            widget->setAccessibleDescription(widget->toolTip().trimmed());
    }

    // What has neither caption nor tooltip, or whose tooltip says less than its label.
    name(c.tAusgabe, QStringLiteral("Text"));
    name(c.cReset, QStringLiteral("Zurücksetzen"));
    name(c.hsRate, QStringLiteral("Geschwindigkeit"));
    name(c.hsVolume, QStringLiteral("Lautstärke"));
    name(c.vsUpDown, QStringLiteral("Anzahl Sätze"));
    name(c.cSkip, QStringLiteral("Sätze überspringen"));
    name(c.tPath, QStringLiteral("Ordner"));
    name(c.tFile, QStringLiteral("Datei"));
    name(c.cPath, QStringLiteral("Ordner auswählen"));
    name(c.ckSubtitles, QStringLiteral("Untertitel speichern"));
    name(c.DebugTxtBox, QStringLiteral("Logbuch"));
    name(c.liWords, QStringLiteral("Wörterbuch-Einträge")); // ckWords is "Wörterbuch"
    name(c.tWL1, QStringLiteral("Wort im Text"));
    name(c.tWL2, QStringLiteral("ersetzen mit"));

    // The bars are set with the arrow keys once they can take the focus.
    for (QScrollBar* bar : {c.hsRate, c.hsVolume, c.vsUpDown})
        bar->setFocusPolicy(Qt::StrongFocus);
}

} // namespace form
