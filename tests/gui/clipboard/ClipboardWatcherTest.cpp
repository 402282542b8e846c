#include "gui/clipboard/ClipboardWatcher.h"
#include "base/clipboard/ClipboardRules.h"
#include "support/SpeechRig.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class FakeClipboard final : public clipboard::ClipboardSource {
public:
    explicit FakeClipboard(QString* content)
        : m_content(content)
    {
    }
    QString text() const override { return *m_content; }

private:
    QString* m_content;
};

} // namespace

TEST(ClipboardRules, NewTextsAreTakenOverOnceAndOnlyWhileIdle)
{
    // Clipboard, watching, speaking, then what is taken over (nullptr: nothing).
    const std::tuple<const char*, bool, bool, const char*> steps[] = {
        {"beim Start", true, false, nullptr}, // the baseline
        {"eins", false, false, nullptr},      {"eins", true, false, "eins"},
        {"eins", true, false, nullptr},       {"zwei", true, true, nullptr}, // copied while speaking ...
        {"zwei", true, false, "zwei"},                                       // ... read once speaking has ended
        {"eins", true, false, "eins"},        {"", true, false, ""},         // emptied: taken over as well
    };
    QString content;
    QString last = QStringLiteral("beim Start");
    const FakeClipboard source(&content);
    for (const auto& [copied, watching, speaking, takenOver] : steps) {
        content = QString::fromUtf8(copied);
        const std::optional<QString> taken = clipboard::takeOverClipboard(last, source, watching, speaking);
        EXPECT_EQ(taken, takenOver ? std::optional(QString::fromUtf8(takenOver)) : std::nullopt) << copied;
    }

    last = QStringLiteral("eins");
    clipboard::switchWatcher(last, false, true);
    EXPECT_EQ(last, QStringLiteral("eins")); // off while speaking keeps it
    clipboard::switchWatcher(last, false, false);
    EXPECT_TRUE(last.isEmpty()); // off while idle: the text on the clipboard is read once switched on again
}

TEST(ClipboardWatcher, ClipboardTextIsSpokenAndTheBoxGetsItsTextBack)
{
    SpeechRig rig;
    rig.startUp();
    QString content = QStringLiteral("vorher");
    rig.state.lastClipboardText = content;
    clipboard::ClipboardWatcher watcher(app::clipboardWidgets(rig.controls), app::clipboardState(rig.state),
                                        rig.speaking, std::make_unique<FakeClipboard>(&content));
    const form::Controls& c = rig.controls;
    c.tAusgabe->setText(QStringLiteral("Mein Text"));
    c.ckClip->setChecked(true);
    watcher.tick();
    EXPECT_EQ(rig.voice.countOf(QStringLiteral("speak")), 0);

    content = QStringLiteral("kopiert");
    watcher.tick();
    EXPECT_EQ(rig.voice.callsOf(QStringLiteral("speak")).last().args[0].toString(), QStringLiteral("KOPIERT"));
    emit rig.voice.endStream(rig.voice.lastStreamNumber(), 0);
    EXPECT_EQ(c.tAusgabe->text(), QStringLiteral("Mein Text"));

    // An emptied clipboard starts nothing that could be heard, and the box keeps its text.
    content.clear();
    const int speaks = rig.voice.countOf(QStringLiteral("speak"));
    watcher.tick();
    EXPECT_FALSE(c.ckStart->isChecked());
    EXPECT_EQ(c.tAusgabe->text(), QStringLiteral("Mein Text"));
    for (const FakeVoice::Call& call : rig.voice.callsOf(QStringLiteral("speak")).mid(speaks))
        EXPECT_TRUE(call.args[0].toString().isEmpty());

    c.ckClip->setChecked(false);
    EXPECT_TRUE(rig.state.lastClipboardText.isEmpty());
}
