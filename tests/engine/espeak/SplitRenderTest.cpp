// A long file render split across helper processes sounds and lies as one synthesis of the whole text would.

#include "VoiceTestSupport.h"

#include "engine/espeak/EspeakVoice.h"
#include "engine/espeak/SplitRender.h"
#include "engine/espeak/SynthesisHelper.h"

#include <QTemporaryDir>
#include <QThread>

#include <algorithm>

#include <gtest/gtest.h>

using namespace speechtest;
using speech::SynthesisHelper;

namespace {

// Long enough to be split, with what moves the synthesizer's sentence ends: questions, exclamations, paragraphs,
// numbers and abbreviations.
QString longText()
{
    QString text;
    for (int i = 0; text.size() < 2 * speech::SplitRender::kMinLength; ++i) {
        text += QStringLiteral("Im Jahr %1 kam der Zug um %2 Uhr an. Warum war er so spät? Niemand wusste es, "
                               "z.B. der Schaffner nicht! ")
                    .arg(1900 + i)
                    .arg(i % 24);
        if (i % 5 == 4)
            text += QStringLiteral("\n\n");
    }
    return text;
}

struct Render {
    QString error;
    std::vector<RecordedEvent> words;
    qsizetype samples = 0;
};

class SplitRender : public ::testing::Test {
protected:
    void TearDown() override { SynthesisHelper::setProgramForTesting({}); }

    Render render(const QString& text, int rate = 0)
    {
        speech::EspeakVoice voice;
        voice.setRate(rate);
        EventRecorder events(voice);
        const QString file = m_dir.filePath(QStringLiteral("out%1.wav").arg(++m_files));
        Render result;
        result.error = renderToFile(voice, text, file);
        result.words = events.of(QStringLiteral("Word"));
        result.samples = qsizetype(readWav(file).samples.size());
        return result;
    }

    QTemporaryDir m_dir;
    int m_files = 0;
};

TEST_F(SplitRender, RunsEndBeforeUpperCaseSentencesAndCoverTheText)
{
    const QString text = longText();
    const QList<speech::TextRun> runs = speech::SplitRender::planRuns(text, 3);
    ASSERT_EQ(runs.size(), 3);
    EXPECT_EQ(runs.first().start, 0);
    EXPECT_EQ(runs.last().end, text.size());
    for (qsizetype i = 1; i < runs.size(); ++i) {
        EXPECT_EQ(runs.at(i).start, runs.at(i - 1).end);
        EXPECT_TRUE(text.at(runs.at(i).start).isUpper()) << i;
        EXPECT_GE(runs.at(i).lead, runs.at(i - 1).start);
        EXPECT_LT(runs.at(i).lead, runs.at(i).start);
    }
    // One sentence cannot be cut.
    EXPECT_EQ(speech::SplitRender::planRuns(QStringLiteral("Ein Satz ohne Ende"), 4).size(), 1);
}

// espeak-ng itself places a word a few samples differently from one render to the next in one process, and its
// renders drift apart by whole pauses over a long text even unsplit (thousands of samples here). So what is
// checked is the join: across each cut the words move by no more than that jitter, and the file ends as far after
// its last word as the unsplit one. Measured: 3 to 8 samples at a join.
constexpr qint64 kJitter = 32; // samples at 22050 Hz, 1.5 ms

TEST_F(SplitRender, SplitRenderHasTheWordsOfOneSynthesisAndJoinsWithoutAGap)
{
    const QString text = longText();
    const QList<speech::TextRun> runs =
        speech::SplitRender::planRuns(text, qMin(QThread::idealThreadCount(), speech::SplitRender::kMaxRuns));
    if (runs.size() < 2)
        GTEST_SKIP() << "one core: nothing is split";
    for (const int rate : {-4, 0, 6}) {
        SynthesisHelper::setProgramForTesting(QStringLiteral("/nonexistent/sprechkit-synth")); // falls back
        const Render whole = render(text, rate);
        SynthesisHelper::setProgramForTesting({});
        ASSERT_FALSE(SynthesisHelper::program().isEmpty());
        const Render split = render(text, rate);
        ASSERT_EQ(whole.error, QString());
        ASSERT_EQ(split.error, QString());
        ASSERT_EQ(split.words.size(), whole.words.size()) << rate;
        std::vector<qint64> shift; // of each word in the split render
        for (size_t i = 0; i < whole.words.size(); ++i) {
            ASSERT_EQ(split.words[i].a, whole.words[i].a) << i;
            ASSERT_EQ(split.words[i].b, whole.words[i].b) << i;
            shift.push_back((split.words[i].position - whole.words[i].position) / 2);
        }
        for (size_t i = 1; i < shift.size(); ++i) {
            const bool join = std::any_of(runs.begin() + 1, runs.end(), [&](const speech::TextRun& run) {
                return whole.words[i - 1].a < run.start && whole.words[i].a >= run.start;
            });
            if (join) {
                EXPECT_LE(qAbs(shift[i] - shift[i - 1]), kJitter) << "rate " << rate << ", word " << i;
            }
        }
        EXPECT_LE(qAbs(qint64(split.samples - whole.samples) - shift.back()), kJitter) << rate;
    }
}

TEST_F(SplitRender, AHelperThatFailsFailsTheRenderWithItsReason)
{
    QTemporaryDir dir;
    const QString killed = dir.filePath(QStringLiteral("killed"));
    QFile script(killed);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nkill -9 $$\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    for (const auto& [program, reason] :
         {std::pair{QStringLiteral("/bin/false"), "exited with code 1"}, std::pair{killed, "ended by signal 9"}}) {
        SynthesisHelper::setProgramForTesting(program);
        const QString error = render(longText()).error;
        EXPECT_TRUE(error.contains(QStringLiteral("synthesis helper")) && error.contains(QLatin1String(reason)))
            << error.toStdString();
    }
}

} // namespace
