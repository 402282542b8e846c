#pragma once

#include "base/core/Result.h"

#include <QHash>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>

class QAbstractButton;
class QComboBox;
class QLineEdit;

namespace form {
struct Controls;
struct WindowState;
} // namespace form

namespace core {
class SettingsStore;
struct SettingsKey;
} // namespace core

namespace app {

// The widget side of the settings: which control shows each key of the table, and how its state becomes the stored
// text and back. Start-up restores the controls through it and SaveSet stores them through it; neither maps a
// control to a key itself. A new setting shown by a control is one line in the constructor's table.
class SettingsBinding {
public:
    // When start-up restores a key: the check boxes once the settings area has given the window its size, the
    // options once the window's state is set, the device and voice once the engine has listed them, then the WAV
    // settings.
    enum class Stage { Boxes, Options, Voices, Wave };

    // The window's placement as stored: where a normal window stands, and whether it opens minimised or maximised.
    struct Placement {
        QPoint position;
        Qt::WindowState state = Qt::WindowNoState;
    };

    // Values shown instead of the stored ones (a script's voice); the stored value is still read.
    using Overrides = QHash<const core::SettingsKey*, QString>;
    // Told the index of each voice-list entry that restoring the voice selects.
    using VoiceChosen = std::function<void(int index)>;

    SettingsBinding(const form::Controls& controls, form::WindowState& state, VoiceChosen voiceChosen = {});

    // Restores the keys of one stage in table order, each through its control's own handler. The first stored value
    // that cannot be read ends it with the reason.
    [[nodiscard]] core::Result restore(Stage stage, const core::SettingsStore& settings,
                                       const Overrides& overrides = {}) const;
    // Stores every bound control's state, in table order.
    void save(core::SettingsStore& settings) const;
    // Stores the format, rate and volume shown under the voice shown (reading them is the voice's own business).
    void saveVoiceValues(core::SettingsStore& settings) const;

    // The stored placement; a value that is no number fails, naming its key.
    core::ResultOf<Placement> placement(const core::SettingsStore& settings) const;
    // Stores the window's state and, while it is neither minimised nor maximised, its position.
    void savePlacement(core::SettingsStore& settings) const;

    // The keys bound to controls, in table order.
    QList<const core::SettingsKey*> keys() const;

    // The kinds of binding. A check box stores "0", "1" or "2" (greyed).
    void checkBox(const core::SettingsKey& key, QAbstractButton* box, Stage stage = Stage::Boxes);
    // One of several buttons, stored by its name (read without regard to case); whenNone while none is checked.
    void options(const core::SettingsKey& key, const QList<QAbstractButton*>& buttons, const QStringList& names,
                 const QString& whenNone);
    // A list's entry by its text; every entry that matches is selected in turn, so the last one stays.
    enum class Match { Exact, Trimmed };
    void listEntry(const core::SettingsKey& key, QComboBox* list, Match match, Stage stage,
                   std::function<void(int)> chosen = {});
    // A text field; a key without a default in the table takes runtimeDefault's.
    void lineEdit(const core::SettingsKey& key, QLineEdit* field, Stage stage,
                  std::function<QString()> runtimeDefault = {});
    // Anything else: how the stored text is shown, and what is stored.
    using Restore = std::function<core::Result(const QString& stored)>;
    using Save = std::function<QString()>;
    void custom(const core::SettingsKey& key, Stage stage, Restore restore, Save save,
                std::function<QString()> runtimeDefault = {});

private:
    struct Entry {
        const core::SettingsKey* key;
        Stage stage;
        Restore restore;
        Save save;
        std::function<QString()> runtimeDefault; // empty: the table's default
    };

    const form::Controls& m_controls;
    QList<Entry> m_entries;
};

} // namespace app
