#include "engine/espeak/SplitRender.h"

#include "base/speech/SentenceSplitter.h"
#include "base/speech/TextPositionMapper.h"
#include "engine/espeak/StreamRenderer.h"
#include "engine/espeak/SynthesisStream.h"

#include <QThread>

namespace speech {

QList<TextRun> SplitRender::planRuns(const QString& text, int count)
{
    const QList<TextRange> sentences = SentenceSplitter::split(text);
    QList<TextRun> runs{{0, 0, int(text.size())}};
    int next = 1; // the first sentence a cut may come before
    for (int i = 1; i < count; ++i) {
        const qint64 target = qint64(text.size()) * i / count;
        while (next < sentences.size() &&
               (sentences.at(next).start < target || text.at(sentences.at(next).start).isLower()))
            ++next;
        if (next >= sentences.size())
            break;
        const int start = sentences.at(next).start;
        runs.last().end = start;
        runs.append({sentences.at(next - 1).start, start, int(text.size())});
        ++next;
    }
    return runs;
}

bool SplitRender::start(const SpeechRequest& request)
{
    const int cores = qMin(QThread::idealThreadCount(), kMaxRuns);
    if (!request.file || request.markup || request.startOffset != 0 || request.continuation || cores < 2 ||
        request.text.size() < kMinLength)
        return false;
    const QString program = SynthesisHelper::program();
    if (program.isEmpty())
        return false;
    const QList<TextRun> runs = planRuns(request.text, cores);
    if (runs.size() < 2)
        return false;
    for (qsizetype i = 1; i < runs.size(); ++i) {
        const TextRun& run = runs.at(i);
        const QString lead = request.text.mid(run.lead, run.start - run.lead);
        QStringList arguments{QStringLiteral("--voice"), request.voiceId,
                              QStringLiteral("--rate"),  QString::number(request.rate),
                              QStringLiteral("--lead"),  QString::number(lead.toUtf8().size())};
        if (request.punctuation)
            arguments << QStringLiteral("--punctuation");
        if (i == runs.size() - 1)
            arguments << QStringLiteral("--end-pause");
        auto helper = std::make_unique<SynthesisHelper>();
        // A helper that cannot even start leaves the render to this process alone: slower, but the file is made.
        if (!helper->start(program, arguments, request.text.mid(run.lead, run.end - run.lead).toUtf8())) {
            m_helpers.clear();
            return false;
        }
        m_helpers.push_back(std::move(helper));
    }
    m_request = &request;
    m_runs = runs;
    return true;
}

int SplitRender::firstRunEnd() const
{
    return m_runs.isEmpty() ? -1 : m_runs.first().end;
}

SplitRender::Outcome SplitRender::feedRest(StreamRenderer& renderer, const std::function<bool()>& cancelled,
                                           QString& reason)
{
    TextPositionMapper mapper(m_request->text, false);
    for (size_t i = 0; i < m_helpers.size(); ++i) {
        SynthesisHelper& helper = *m_helpers[i];
        const bool last = i + 1 == m_helpers.size();
        const qint64 sampleOffset = renderer.inputSamples();
        const int positionOffset = mapper.codePointIndex(m_runs.at(qsizetype(i) + 1).lead);
        const auto read = [&helper](char* data, size_t size) { return helper.read(data, size); };
        for (;;) {
            if (cancelled())
                return Outcome::Cancelled;
            synthesisstream::Record record = synthesisstream::readRecord(read);
            if (record.kind == synthesisstream::RecordKind::End)
                break;
            if (record.kind == synthesisstream::RecordKind::Error) {
                reason = QStringLiteral("The synthesis helper failed: %1").arg(record.error);
                if (record.broken) {
                    const QString exit = helper.exitReason();
                    reason += QStringLiteral(" (%1).").arg(exit.isEmpty() ? QStringLiteral("unreadable") : exit);
                }
                return Outcome::Failed;
            }
            const int count = int(record.samples.size());
            if (!renderer.level(record.samples.data(), count))
                return Outcome::Cancelled;
            for (RawEvent& event : record.events) {
                // A run's end is no end of the text: the next run's first phoneme ends its last one.
                if (event.kind == RawEvent::Kind::End && !last)
                    continue;
                event.sample += sampleOffset;
                event.textPosition += positionOffset;
                if (!renderer.event(event))
                    return Outcome::Cancelled;
            }
            if (!renderer.audio(record.samples.data(), count))
                return Outcome::Cancelled;
        }
        m_helpers[i].reset(); // reaped now: nothing runs on that nobody reads
    }
    return Outcome::Done;
}

} // namespace speech
