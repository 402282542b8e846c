#include "support/SpeechRig.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

TEST(EngineSetup, SpeechInitFillsTheListsAndAppliesDefaults)
{
    SpeechRig rig;
    rig.voice.volumeValue = 80;
    rig.setup.SpeechInit();
    const form::Controls& c = rig.controls;

    EXPECT_EQ(c.coVoice->count(), 2);
    EXPECT_EQ(c.coVoice->currentText(), QStringLiteral("German"));
    const QStringList texts{" 8kHz, 16Bit, Mono", "11kHz, 16Bit, Mono", "12kHz, 16Bit, Mono",
                            "16kHz, 16Bit, Mono", "22kHz, 16Bit, Mono", "24kHz, 16Bit, Mono",
                            "32kHz, 16Bit, Mono", "44kHz, 16Bit, Mono", "48kHz, 16Bit, Mono"};
    ASSERT_EQ(c.coFormat->count(), texts.size());
    for (int i = 0; i < c.coFormat->count(); ++i) {
        EXPECT_EQ(c.coFormat->itemText(i), texts[i]);
        EXPECT_EQ(c.coFormat->itemData(i).toInt(), 6 + 4 * i);
    }
    EXPECT_EQ(c.coFormat->currentText(), QStringLiteral("16kHz, 16Bit, Mono"));
    EXPECT_EQ(c.coDevice->currentText(), QStringLiteral("TestSink"));
    EXPECT_TRUE(c.coDevice->isEnabled());
    EXPECT_EQ(rig.voice.audioOutputIndex(), 0);
    EXPECT_EQ(rig.voice.outputFormat(), speech::AudioFormat::Mono16kHz);

    EXPECT_EQ(c.hsVolume->value(), 80);
    // The engine's own volume is shown but not stored over what the first voice may have stored.
    EXPECT_EQ(rig.stored(QStringLiteral("German"), core::setting::kVolume), QStringLiteral("<none>"));
    EXPECT_EQ(rig.stored(QStringLiteral("German"), core::setting::kFormat), QStringLiteral("<none>"));
    EXPECT_EQ(rig.state.speakFlags.toInt(), 3u);
    EXPECT_TRUE(rig.log.text().isEmpty());
}

TEST(EngineSetup, ChangesAfterStartUpAreAppliedAndStoredForTheShownVoiceOrLogged)
{
    SpeechRig rig;
    rig.startUp();
    rig.controls.hsRate->setValue(-3);
    rig.controls.hsVolume->setValue(60);
    rig.controls.coFormat->setCurrentIndex(1);
    EXPECT_EQ(rig.voice.rate(), -3);
    EXPECT_EQ(rig.controls.lRateX->text(), QStringLiteral("-3"));
    EXPECT_EQ(rig.stored(QStringLiteral("German"), core::setting::kRate), QStringLiteral("-3"));
    EXPECT_EQ(rig.stored(QStringLiteral("German"), core::setting::kVolume), QStringLiteral("60"));
    EXPECT_EQ(rig.stored(QStringLiteral("German"), core::setting::kFormat), QStringLiteral("11kHz, 16Bit, Mono"));

    // Another voice brings its own values.
    rig.settings->setVoiceValue(core::setting::kRate, QStringLiteral("English"), QStringLiteral("2"));
    rig.settings->setVoiceValue(core::setting::kFormat, QStringLiteral("English"),
                                QStringLiteral("16khz, 16bit, mono")); // no entry: the selection stays
    rig.controls.coVoice->setCurrentIndex(1);
    EXPECT_EQ(rig.voice.voiceIndex(), 1);
    EXPECT_EQ(rig.voice.rate(), 2);
    EXPECT_EQ(rig.voice.volume(), 100);
    EXPECT_EQ(rig.controls.coFormat->currentText(), QStringLiteral("11kHz, 16Bit, Mono"));
    EXPECT_EQ(rig.stored(QStringLiteral("German"), core::setting::kRate), QStringLiteral("-3"));

    // A change the voice refuses is logged with its prefix and not stored.
    rig.log.clear();
    rig.voice.fail(QStringLiteral("setOutputFormat"), QStringLiteral("format refused"));
    rig.controls.coFormat->setCurrentIndex(2);
    EXPECT_EQ(rig.stored(QStringLiteral("English"), core::setting::kFormat), QStringLiteral("16khz, 16bit, mono"));
    rig.voice.fail(QStringLiteral("setAudioOutput"), QStringLiteral("device gone"));
    rig.setup.deviceSelected();
    EXPECT_EQ(rig.logLines(), (QStringList{"Set format error: format refused", "Set audio output error: device gone"}));
}

} // namespace
