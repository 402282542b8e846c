#pragma once

#include <QList>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QWidget;

namespace form {

class TextBox;

// Every control of the main window, by the name the program's procedures use for it (also its objectName).
// The window owns them; the subsystem classes are handed this struct and use what they need.
struct Controls {
    QWidget* window = nullptr;

    // Always visible
    QGroupBox* Frame3 = nullptr;
    TextBox* tAusgabe = nullptr;

    QGroupBox* frSet = nullptr;
    QComboBox* coVoice = nullptr;
    QComboBox* coFormat = nullptr;
    QComboBox* coDevice = nullptr;
    QScrollBar* hsRate = nullptr;
    QScrollBar* hsVolume = nullptr;
    QLabel* lRateX = nullptr;
    QLabel* lVolumeX = nullptr;
    QLabel* lVoice = nullptr;
    QLabel* lRate = nullptr;
    QLabel* lVolume = nullptr;
    QLabel* lFormat = nullptr;
    QLabel* lDevice = nullptr;
    QLabel* Picture1 = nullptr;

    QGroupBox* Frame2 = nullptr;
    QPushButton* ckStart = nullptr; // checkable: checked = speaking requested
    QPushButton* ckPause = nullptr; // checkable: checked = paused
    QPushButton* cReset = nullptr;
    QPushButton* cTime = nullptr;
    QPushButton* cDat = nullptr;
    QPushButton* ckClip = nullptr; // checkable
    QPushButton* cSave = nullptr;
    QPushButton* ckMessage = nullptr; // checkable

    QGroupBox* Frame4 = nullptr;
    QPushButton* cSkip = nullptr;
    QScrollBar* vsUpDown = nullptr;
    QLabel* lSkip = nullptr;

    QGroupBox* Frame6 = nullptr;
    QPushButton* ckSet = nullptr; // checkable

    QList<QLabel*> lKeys; // key hint labels 0..9

    // Settings area
    QGroupBox* frFile = nullptr;
    QCheckBox* ckAuto = nullptr;
    QCheckBox* ckSubtitles = nullptr; // SRT and WebVTT beside the saved file
    QPushButton* cPath = nullptr;
    QLineEdit* tFile = nullptr;
    QLineEdit* tPath = nullptr;
    QLabel* lFile = nullptr;
    QLabel* lPath = nullptr;

    QGroupBox* frTime = nullptr;
    QRadioButton* oStd = nullptr;
    QRadioButton* oMin = nullptr;
    QCheckBox* ckSec = nullptr;

    QGroupBox* frDebug = nullptr;
    QCheckBox* ckEvents = nullptr;
    QPlainTextEdit* DebugTxtBox = nullptr;

    QGroupBox* frOptions = nullptr;
    QCheckBox* chkSpFlagPersistXML = nullptr;
    QCheckBox* chkSpFlagIsFilename = nullptr;
    QCheckBox* chkSpFlagAync = nullptr;
    QCheckBox* chkSpFlagPurgeBeforeSpeak = nullptr;
    QCheckBox* chkSpFlagNLPSpeakPunc = nullptr;
    QCheckBox* chkSpFlagIsXML = nullptr;

    QGroupBox* frWords = nullptr;
    QListWidget* liWords = nullptr;
    QLineEdit* tWL1 = nullptr;
    QLineEdit* tWL2 = nullptr;
    QLabel* lWL1 = nullptr;
    QLabel* lWL2 = nullptr;
    QPushButton* cAdd = nullptr;
    QPushButton* cRemove = nullptr;
    QPushButton* cUp = nullptr;
    QPushButton* cDn = nullptr;
    QCheckBox* ckCSens = nullptr;
    QCheckBox* ckWords = nullptr;
    QWidget* pWords = nullptr;
    QLabel* lWords = nullptr;

    QGroupBox* frTask = nullptr;
    QList<QRadioButton*> oTask; // Idle, Normal, High, Realtime
};

// Creates every control inside window, at its place in the full layout, with its captions and tooltips.
Controls buildControls(QWidget* window);

// The layout is designed in twips; 12 twips to the pixel keeps it legible with today's default fonts.
constexpr int px(int twips)
{
    return (twips + 6) / 12;
}

// Client size of the full layout, and what the settings area adds to it. The settings area's bottom row, from
// kDesktopRowTop down, holds the frame of global shortcuts and tray (built in gui/desktop).
inline constexpr int kDesktopRowTop = 7140;
inline constexpr int kFullWidth = px(10035);
inline constexpr int kFullHeight = px(8193);
inline constexpr int kSettingsWidth = px(3740);
inline constexpr int kSettingsHeight = px(4123);

} // namespace form
