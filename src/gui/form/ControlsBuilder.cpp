#include "gui/form/Accessibility.h"
#include "gui/form/CaptionFit.h"
#include "gui/form/Controls.h"
#include "gui/form/TextBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace form {

namespace {

template <typename Widget>
Widget* make(QWidget* parent, const char* name, QRect twips, const QString& caption = QString(),
             const QString& toolTip = QString())
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
    if constexpr (std::is_base_of_v<QAbstractButton, Widget> || std::is_base_of_v<QLabel, Widget>)
        widget->setText(caption);
    if constexpr (std::is_base_of_v<QGroupBox, Widget>)
        widget->setTitle(caption);
    if (!toolTip.isEmpty())
        widget->setToolTip(toolTip);
    return widget;
}

QPushButton* makeToggle(QWidget* parent, const char* name, QRect twips, const QString& glyph, const QString& toolTip)
{
    auto* button = make<QPushButton>(parent, name, twips, glyph, toolTip);
    button->setCheckable(true);
    return button;
}

QScrollBar* makeBar(QWidget* parent, const char* name, QRect twips, Qt::Orientation orientation, int minimum,
                    int maximum, int pageStep, int value)
{
    auto* bar = make<QScrollBar>(parent, name, twips);
    bar->setOrientation(orientation);
    bar->setRange(minimum, maximum);
    bar->setPageStep(pageStep);
    bar->setValue(value);
    return bar;
}

QLabel* makeKeyHint(QWidget* parent, int index, const QString& letter, QPoint twips)
{
    auto* label = make<QLabel>(parent, "lKeys", QRect(twips, QSize(180, 210)), letter);
    label->setObjectName(QStringLiteral("lKeys_%1").arg(index));
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("background: #ffffc0; color: black; border: 1px solid #808080;"
                                        " font-size: 8pt; font-weight: bold;"));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->hide();
    return label;
}

// The fixed picture over the voice settings: a speech bubble.
QPixmap speechBubble(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x2f, 0x6f, 0xb5));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(1, 2, size - 2, size * 0.7));
    const QPointF tail[] = {{size * 0.25, size * 0.6}, {size * 0.2, size * 0.98}, {size * 0.5, size * 0.66}};
    painter.drawPolygon(tail, 3);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(size / 3);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(1, 2, size - 2, size * 0.7), Qt::AlignCenter, QStringLiteral("abc"));
    return pixmap;
}

void buildAlwaysVisible(Controls& c, QWidget* w)
{
    c.Frame3 = make<QGroupBox>(w, "Frame3", {90, 30, 6135, 1995});
    c.tAusgabe = make<TextBox>(c.Frame3, "tAusgabe", {90, 120, 5955, 1785});

    c.frSet = make<QGroupBox>(w, "frSet", {90, 2040, 3705, 1935});
    c.Picture1 = make<QLabel>(c.frSet, "Picture1", {150, 120, 480, 480}, QString(), QStringLiteral(" Stimme "));
    c.Picture1->setPixmap(speechBubble(px(480)));
    c.lVoice = make<QLabel>(c.frSet, "lVoice", {720, 150, 270, 300}, QString(), QStringLiteral(" Stimme "));
    c.coVoice = make<QComboBox>(c.frSet, "coVoice", {1020, 120, 2595, 330}, QString(), QStringLiteral(" Stimme "));
    c.lFormat =
        make<QLabel>(c.frSet, "lFormat", {720, 510, 270, 300}, QStringLiteral("\u2248"), QStringLiteral(" Qualität "));
    c.coFormat = make<QComboBox>(c.frSet, "coFormat", {1020, 480, 2595, 330}, QString(), QStringLiteral(" Qualität "));
    c.lDevice = make<QLabel>(c.frSet, "lDevice", {720, 870, 270, 300}, QStringLiteral("\u260A"),
                             QStringLiteral(" Ausgabe-Gerät "));
    c.coDevice =
        make<QComboBox>(c.frSet, "coDevice", {1020, 840, 2595, 330}, QString(), QStringLiteral(" Ausgabe-Gerät "));
    c.lRate = make<QLabel>(c.frSet, "lRate", {150, 1260, 270, 270}, QStringLiteral("\u00BB"),
                           QStringLiteral(" Geschwindigkeit "));
    c.hsRate = makeBar(c.frSet, "hsRate", {450, 1260, 2640, 240}, Qt::Horizontal, -10, 10, 2, 0);
    c.lRateX = make<QLabel>(c.frSet, "lRateX", {3150, 1245, 465, 270}, QStringLiteral("0"));
    c.lVolume = make<QLabel>(c.frSet, "lVolume", {150, 1590, 270, 270}, QStringLiteral("\u266A"),
                             QStringLiteral(" Lautstärke "));
    c.hsVolume = makeBar(c.frSet, "hsVolume", {450, 1590, 2640, 240}, Qt::Horizontal, 0, 100, 10, 50);
    c.lVolumeX = make<QLabel>(c.frSet, "lVolumeX", {3150, 1575, 465, 270}, QStringLiteral("100"));
    for (QLabel* symbol : {c.lVoice, c.lFormat, c.lDevice, c.lRate, c.lVolume}) {
        QFont font = symbol->font();
        font.setPointSizeF(font.pointSizeF() * 1.3);
        symbol->setFont(font);
        symbol->setAlignment(Qt::AlignCenter);
    }
    for (QLabel* value : {c.lRateX, c.lVolumeX})
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    c.Frame2 = make<QGroupBox>(w, "Frame2", {3900, 2040, 2325, 1245});
    const int x0 = 90, x1 = 630, x2 = 1170, x3 = 1710, y0 = 120, y1 = 660, bw = 525, bh = 510;
    c.ckStart = makeToggle(c.Frame2, "ckStart", {x0, y0, bw, bh}, QStringLiteral("\u25B6"),
                           QStringLiteral(" [Alt+S]: Start / Stop "));
    c.ckPause = makeToggle(c.Frame2, "ckPause", {x1, y0, bw, bh}, QStringLiteral("\u275A\u275A"),
                           QStringLiteral(" [Alt+P]: Pause / Fortsetzen "));
    c.cSave = make<QPushButton>(c.Frame2, "cSave", {x2, y0, bw, bh}, QStringLiteral("\u2913"),
                                QStringLiteral(" [Alt+W]: Text als .WAV speichern ... "));
    c.cReset = make<QPushButton>(c.Frame2, "cReset", {x3, y0, bw, bh}, QStringLiteral("\u21BA"));
    c.cDat = make<QPushButton>(c.Frame2, "cDat", {x0, y1, bw, bh}, QStringLiteral("\u25A6"),
                               QStringLiteral(" [Alt+D]: Datum ansagen ... "));
    c.cTime = make<QPushButton>(c.Frame2, "cTime", {x1, y1, bw, bh}, QStringLiteral("\u25F7"),
                                QStringLiteral(" [Alt+T]: Zeit ansagen ... "));
    c.ckMessage = makeToggle(c.Frame2, "ckMessage", {x2, y1, bw, bh}, QStringLiteral("\u260E"),
                             QStringLiteral(" [Alt+A]: Automatische Zeitansage "));
    c.ckClip = makeToggle(c.Frame2, "ckClip", {x3, y1, bw, bh}, QStringLiteral("\u2702"),
                          QStringLiteral(" [Alt+Z]: Zwischenablage überwachen "));
    const QList<QPushButton*> bar{c.ckStart, c.ckPause, c.cSave, c.cReset, c.cDat, c.cTime, c.ckMessage, c.ckClip};
    const QString letters = QStringLiteral("SPWRDTAZ");
    for (int i = 0; i < bar.size(); ++i) {
        QFont font = bar[i]->font();
        font.setPointSizeF(font.pointSizeF() * 1.4);
        bar[i]->setFont(font);
        c.lKeys.append(makeKeyHint(c.Frame2, i, letters.mid(i, 1), bar[i]->geometry().topLeft() * 12));
    }

    c.Frame4 = make<QGroupBox>(w, "Frame4", {3900, 3300, 1545, 675});
    c.cSkip = make<QPushButton>(c.Frame4, "cSkip", {90, 150, 720, 420}, QStringLiteral("Skip"),
                                QStringLiteral(" Anzahl X Sätze überspringen ... "));
    c.vsUpDown = makeBar(c.Frame4, "vsUpDown", {870, 90, 240, 540}, Qt::Vertical, -50, 50, 5, 0);
    c.lSkip = make<QLabel>(c.Frame4, "lSkip", {1140, 210, 360, 300}, QStringLiteral("0"));
    c.lSkip->setAlignment(Qt::AlignCenter);

    c.Frame6 = make<QGroupBox>(w, "Frame6", {5550, 3300, 675, 675});
    c.ckSet = makeToggle(c.Frame6, "ckSet", {90, 90, 495, 495}, QStringLiteral("\u2699"),
                         QStringLiteral(" [Alt+E]: Einstellungen ... "));
    QFont gear = c.ckSet->font();
    gear.setPointSizeF(gear.pointSizeF() * 1.4);
    c.ckSet->setFont(gear);
    c.lKeys.append(makeKeyHint(c.Frame6, 8, QStringLiteral("E"), {90, 90}));
}

void buildSettingsArea(Controls& c, QWidget* w)
{
    c.frFile = make<QGroupBox>(w, "frFile", {90, 4050, 4125, 1065}, QStringLiteral("Ordner/Dateiname für WAV-Datei: "));
    c.lPath = make<QLabel>(c.frFile, "lPath", {120, 300, 660, 300}, QStringLiteral("Ordner:"));
    c.tPath = make<QLineEdit>(c.frFile, "tPath", {780, 270, 2790, 330});
    c.tPath->setToolTip(QStringLiteral(" Ordner "));
    c.cPath = make<QPushButton>(c.frFile, "cPath", {3630, 270, 405, 330}, QStringLiteral("..."),
                                QStringLiteral(" Ôrdner auswählen ... "));
    c.lFile = make<QLabel>(c.frFile, "lFile", {120, 690, 660, 300}, QStringLiteral("Datei:"));
    c.tFile = make<QLineEdit>(c.frFile, "tFile", {780, 660, 1770, 330});
    c.tFile->setToolTip(QStringLiteral(" Dateiname "));
    c.ckAuto = make<QCheckBox>(c.frFile, "ckAuto", {3630, 660, 420, 330}, QString(),
                               QStringLiteral(" Automatischer Dateiname mit Datum/Zeit ... "));
    c.ckSubtitles = make<QCheckBox>(c.frFile, "ckSubtitles", {2610, 660, 1000, 330}, QStringLiteral("&Untertitel"),
                                    QStringLiteral(" Untertitel (SRT und WebVTT) neben der Datei speichern "));

    c.frTime = make<QGroupBox>(w, "frTime", {4320, 4050, 1905, 1065}, QStringLiteral("Zeitansage: "));
    c.oStd = make<QRadioButton>(c.frTime, "oStd", {120, 240, 1700, 270}, QStringLiteral("jede Stu&nde"));
    c.oMin = make<QRadioButton>(c.frTime, "oMin", {120, 510, 1700, 270}, QStringLiteral("jede &Minute"));
    c.ckSec = make<QCheckBox>(c.frTime, "ckSec", {120, 780, 1700, 270}, QStringLiteral("Se&kunden ansagen"));

    c.frDebug = make<QGroupBox>(w, "frDebug", {90, 5160, 4125, 1935}, QStringLiteral("Logbuch: "));
    c.ckEvents = make<QCheckBox>(c.frDebug, "ckEvents", {120, 240, 2000, 270}, QStringLiteral("Show Events"));
    c.DebugTxtBox = make<QPlainTextEdit>(c.frDebug, "DebugTxtBox", {120, 540, 3885, 1305});
    c.DebugTxtBox->setReadOnly(true);
    c.DebugTxtBox->setLineWrapMode(QPlainTextEdit::NoWrap);

    c.frOptions = make<QGroupBox>(w, "frOptions", {4320, 5160, 1905, 1935}, QStringLiteral("Spezial-Einstellungen: "));
    const auto flag = [&](const char* name, int row, const char* caption) {
        return make<QCheckBox>(c.frOptions, name, {120, 240 + row * 270, 1740, 270}, QLatin1String(caption));
    };
    c.chkSpFlagPersistXML = flag("chkSpFlagPersistXML", 0, "PersistXML");
    c.chkSpFlagIsFilename = flag("chkSpFlagIsFilename", 1, "IsFilename");
    c.chkSpFlagAync = flag("chkSpFlagAync", 2, "FlagsAync");
    c.chkSpFlagPurgeBeforeSpeak = flag("chkSpFlagPurgeBeforeSpeak", 3, "PurgeBeforeSpeak");
    c.chkSpFlagNLPSpeakPunc = flag("chkSpFlagNLPSpeakPunc", 4, "NLPSpeakPunc");
    c.chkSpFlagIsXML = flag("chkSpFlagIsXML", 5, "IsXML");

    c.frWords = make<QGroupBox>(w, "frWords", {6360, 30, 3585, 6315});
    c.liWords = make<QListWidget>(c.frWords, "liWords", {120, 150, 3345, 3930});
    c.lWL1 = make<QLabel>(c.frWords, "lWL1", {120, 4140, 1300, 270}, QStringLiteral("Wort im Text:"));
    c.tWL1 = make<QLineEdit>(c.frWords, "tWL1", {120, 4410, 3345, 330});
    c.tWL1->setToolTip(QStringLiteral(" Original-Wort "));
    c.lWL2 = make<QLabel>(c.frWords, "lWL2", {120, 4770, 1300, 270}, QStringLiteral("ersetzen mit:"));
    c.tWL2 = make<QLineEdit>(c.frWords, "tWL2", {120, 5040, 3345, 330});
    c.tWL2->setToolTip(QStringLiteral(" Ersatz-Wort "));
    const int by = 5460, bs = 420;
    c.cAdd = make<QPushButton>(c.frWords, "cAdd", {120, by, bs, bs}, QStringLiteral("+"),
                               QStringLiteral(" Neuen Eintrag hinzufügen ... "));
    c.cRemove = make<QPushButton>(c.frWords, "cRemove", {570, by, bs, bs}, QStringLiteral("-"),
                                  QStringLiteral(" Eintrag löschen ... "));
    c.cUp = make<QPushButton>(c.frWords, "cUp", {1020, by, bs, bs}, QStringLiteral("\u25B2"),
                              QStringLiteral(" Eintrag nach oben verschieben ... "));
    c.cDn = make<QPushButton>(c.frWords, "cDn", {1470, by, bs, bs}, QStringLiteral("\u25BC"),
                              QStringLiteral(" Eintrag nach unten verschieben ... "));
    c.ckWords = make<QCheckBox>(c.frWords, "ckWords", {1980, 5430, 1500, 270}, QStringLiteral("Wörter&buch"),
                                QStringLiteral(" Wörterbuch verwenden "));
    c.ckCSens = make<QCheckBox>(c.frWords, "ckCSens", {1980, 5700, 1560, 270}, QStringLiteral("&Groß-/Kleinschreibung"),
                                QStringLiteral(" Auf Groß-/Kleinschreibung achten "));
    c.pWords = make<QWidget>(c.frWords, "pWords", {120, 2880, 3345, 1200});
    c.pWords->setStyleSheet(QStringLiteral("#pWords { background: #fff3c4; border: 1px solid #c8a400; }"));
    c.pWords->setAttribute(Qt::WA_StyledBackground);
    c.lWords = make<QLabel>(c.pWords, "lWords", {60, 60, 3225, 1080});
    c.lWords->setWordWrap(true);
    c.pWords->hide();

    c.frTask = make<QGroupBox>(w, "frTask", {6360, 6360, 3585, 735}, QStringLiteral("Task Priority: "));
    const char* priorities[] = {"Idle", "Normal", "High", "Realtime"};
    for (int i = 0; i < 4; ++i) {
        auto* option =
            make<QRadioButton>(c.frTask, "oTask", {120 + i * 840, 330, 840, 300}, QLatin1String(priorities[i]));
        option->setObjectName(QStringLiteral("oTask_%1").arg(i));
        c.oTask.append(option);
    }
    // Top right: the frame title holds the top left.
    c.lKeys.append(makeKeyHint(c.frTask, 9, QStringLiteral("I"), {3315, 90}));
}

} // namespace

Controls buildControls(QWidget* window)
{
    Controls controls;
    controls.window = window;
    buildAlwaysVisible(controls, window);
    buildSettingsArea(controls, window);
    fitCaptions(controls);
    applyAccessibility(controls);
    return controls;
}

} // namespace form
