#pragma once

#include "base/audiobook/TimedText.h"

#include <QList>
#include <QString>
#include <QtGlobal>

namespace audiobook {

// A word as a subtitle shows it: its readable text (punctuation after it included) and when it starts.
struct CueWord {
    QString text;
    qint64 start = 0;
    bool spaceBefore = true; // false where the text runs on without a blank ("Hallo-" "Welt")
};

// One subtitle: a sentence, or a part of a long one, on one or more lines. Times are sample positions.
struct Cue {
    qint64 start = 0;
    qint64 end = 0;
    QList<QList<CueWord>> lines;

    QString lineText(qsizetype line) const;
    QString text() const; // the lines joined with "\n"
};

struct CueList {
    int sampleRate = 0;
    QList<Cue> cues;
};

struct CueLayout {
    int lineLength = 42; // characters; a single word longer than this gets a line of its own
    int lines = 2;
};

// One cue per sentence of the program's own sentence splitting, from its first word's start to its last word's
// end; a sentence longer than the layout allows is cut into several cues at blanks, and a cue's text is broken
// into lines of about equal length. Cues are in order and never overlap: a cue ends at the latest where the next
// one starts. Words out of the text, out of order or overlapping others are left out; a start before the word
// before it is moved up to that word's start. No sample rate, no cues.
CueList buildCues(const TimedText& timed, const CueLayout& layout = {});

} // namespace audiobook
