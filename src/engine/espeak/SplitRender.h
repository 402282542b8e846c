#pragma once

#include "engine/espeak/SpeechRequest.h"
#include "engine/espeak/SynthesisHelper.h"

#include <QList>

#include <functional>
#include <memory>
#include <vector>

namespace speech {

class StreamRenderer;

// A run of whole sentences of a text, in UTF-16 offsets: [start, end). lead is where the sentence before it
// starts: a helper speaks it first, so the run sounds and lies exactly as in one synthesis of the whole text.
struct TextRun {
    int lead = 0;
    int start = 0;
    int end = 0;
};

// A long file render made on several cores: the first run is synthesized in this process as usual, while helper
// processes synthesize the others; their output then goes into the same renderer, its samples and text positions
// moved to where the run lies, so that the rest of the pipeline sees one synthesis of the whole text.
class SplitRender {
public:
    // Texts shorter than this keep the one-process path: a helper's start costs more than it saves.
    static constexpr int kMinLength = 4000;
    static constexpr int kMaxRuns = 4;

    // Up to count runs of about equal length, cut only before a sentence that starts in upper case (where the
    // synthesizer surely ends a sentence too); a single run when the text cannot be cut.
    static QList<TextRun> planRuns(const QString& text, int count);

    // Starts the helpers for a request worth splitting; false, with nothing started, when it is not split (a plain
    // text file render that is long enough, on more than one core, with the helper program at hand).
    bool start(const SpeechRequest& request);
    // Where the run synthesized in this process ends; the whole text when nothing was split.
    int firstRunEnd() const;
    bool isSplit() const { return !m_helpers.empty(); }

    enum class Outcome { Done, Cancelled, Failed };
    // Feeds the helpers' runs into the renderer, in order. Failed sets reason.
    Outcome feedRest(StreamRenderer& renderer, const std::function<bool()>& cancelled, QString& reason);

private:
    const SpeechRequest* m_request = nullptr;
    QList<TextRun> m_runs;
    std::vector<std::unique_ptr<SynthesisHelper>> m_helpers; // for m_runs[1..]
};

} // namespace speech
