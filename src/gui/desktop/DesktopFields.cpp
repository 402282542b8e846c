#include "gui/desktop/DesktopFields.h"

#include "gui/form/Controls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeySequenceEdit>
#include <QLabel>

namespace desktop {

namespace {

constexpr int kFrameHeight = 960; // twips, like the rest of the layout

const std::array<const char*, 2> kKeyNames = {"keyReadSelection", "keyPauseResume"};
const std::array<const char*, 2> kHintNames = {"lKeyReadSelection", "lKeyPauseResume"};
const std::array<const char*, 2> kCaptions = {"Auswahl vorlesen:", "Pause / Fortsetzen:"};
const std::array<const char*, 2> kAccessibleNames = {"Taste für Auswahl vorlesen", "Taste für Pause / Fortsetzen"};
const std::array<const char*, 2> kToolTips = {" Globale Taste: Auswahl vorlesen, beim Sprechen Stopp (leer: keine) ",
                                              " Globale Taste: Pause / Fortsetzen (leer: keine) "};

} // namespace

DesktopFields buildDesktopFields(QWidget* window, QAbstractButton* settingsSwitch)
{
    using form::px;
    DesktopFields f;
    f.frDesktop = new QGroupBox(QStringLiteral("Globale Tasten und Infobereich: "), window);
    f.frDesktop->setObjectName(QStringLiteral("frDesktop"));
    f.frDesktop->setGeometry(px(90), px(form::kDesktopRowTop), px(9855), px(kFrameHeight));
    // Within the fixed frame a grid sizes the captions to the font, which the twip layout cannot know.
    auto* grid = new QGridLayout(f.frDesktop);
    grid->setContentsMargins(px(120), px(60), px(120), px(30));
    grid->setVerticalSpacing(0);
    for (std::size_t i = 0; i < f.keys.size(); ++i) {
        const int column = int(i) * 2;
        auto* caption = new QLabel(QString::fromUtf8(kCaptions[i]), f.frDesktop);
        auto* keys = new QKeySequenceEdit(f.frDesktop);
        keys->setObjectName(QLatin1String(kKeyNames[i]));
        keys->setToolTip(QString::fromUtf8(kToolTips[i]));
        keys->setAccessibleName(QString::fromUtf8(kAccessibleNames[i]));
        keys->setAccessibleDescription(keys->toolTip().trimmed());
        caption->setBuddy(keys);
        auto* hint = new QLabel(f.frDesktop);
        hint->setObjectName(QLatin1String(kHintNames[i]));
        hint->setStyleSheet(QStringLiteral("color: #a00000;"));
        grid->addWidget(caption, 0, column);
        grid->addWidget(keys, 0, column + 1);
        grid->addWidget(hint, 1, column, 1, 2);
        f.keys[i] = keys;
        f.hints[i] = hint;
    }
    f.ckTray = new QCheckBox(QStringLiteral("Beim Schließen in den Infobereich"), f.frDesktop);
    f.ckTray->setObjectName(QStringLiteral("ckTray"));
    f.ckTray->setToolTip(QStringLiteral(" Das Fenster schließen verbirgt es; \"Beenden\" im Infobereich beendet "));
    f.ckTray->setAccessibleName(f.ckTray->text());
    f.ckTray->setAccessibleDescription(f.ckTray->toolTip().trimmed());
    grid->addWidget(f.ckTray, 0, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    f.frDesktop->setEnabled(settingsSwitch->isChecked());
    QObject::connect(settingsSwitch, &QAbstractButton::toggled, f.frDesktop, &QWidget::setEnabled);
    // The clear buttons' icon is looked up in the icon theme, which stats every folder of the user's own hicolor
    // theme (it has no cache): some 15 ms, paid when the settings are first opened instead of at every start.
    const auto addClearButtons = [keys = f.keys](bool settingsShown) {
        if (settingsShown)
            for (QKeySequenceEdit* field : keys)
                field->setClearButtonEnabled(true);
    };
    addClearButtons(settingsSwitch->isChecked());
    QObject::connect(settingsSwitch, &QAbstractButton::toggled, f.frDesktop, addClearButtons);
    return f;
}

void showShortcutHint(const DesktopFields& fields, ShortcutAction action, const QString& hint)
{
    const std::size_t index = shortcutIndex(action);
    fields.hints[index]->setText(hint);
    QKeySequenceEdit* keys = fields.keys[index];
    keys->setAccessibleDescription(hint.isEmpty() ? keys->toolTip().trimmed() : hint);
}

} // namespace desktop
