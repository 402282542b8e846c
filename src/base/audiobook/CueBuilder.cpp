#include "base/audiobook/CueBuilder.h"

#include "base/audiobook/MarkupText.h"
#include "base/speech/SentenceSplitter.h"

#include <algorithm>

namespace audiobook {

namespace {

// Characters as a reader counts them: a surrogate pair is one.
int widthOf(const QString& text)
{
    int width = 0;
    for (QChar c : text)
        width += c.isLowSurrogate() ? 0 : 1;
    return width;
}

// Words that run on without a blank: a line is never broken inside one.
struct Unit {
    QList<CueWord> words;
    int width = 0;
    qint64 end = 0; // where its last word ends
};

int linesNeeded(const QList<Unit>& units, int width)
{
    int lines = 0;
    int used = 0;
    for (const Unit& unit : units) {
        if (lines == 0 || used + 1 + unit.width > width) {
            ++lines;
            used = unit.width;
        } else {
            used += 1 + unit.width;
        }
    }
    return lines;
}

// The narrowest width that still needs no more lines than the layout's width does: lines of about equal length,
// the first one the longer. A run wider than the layout stays on a line of its own.
QList<QList<CueWord>> balancedLines(const QList<Unit>& units, int lineLength)
{
    const int needed = linesNeeded(units, lineLength);
    int low = 1;
    int high = lineLength;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (linesNeeded(units, middle) <= needed)
            high = middle;
        else
            low = middle + 1;
    }
    QList<QList<CueWord>> lines;
    int used = 0;
    for (const Unit& unit : units) {
        if (lines.isEmpty() || used + 1 + unit.width > low) {
            lines.append(unit.words);
            used = unit.width;
        } else {
            lines.last().append(unit.words);
            used += 1 + unit.width;
        }
    }
    for (QList<CueWord>& line : lines)
        line.first().spaceBefore = false;
    return lines;
}

// Words inside the text, in text order, not overlapping, with starts that never go back and ends not before them.
QList<TimedWord> usableWords(const TimedText& timed)
{
    const int size = int(timed.text.size());
    QList<TimedWord> words;
    for (const TimedWord& word : timed.words) {
        if (word.offset >= 0 && word.length > 0 && word.offset < size)
            words.append({word.offset, std::min(word.length, size - word.offset), word.start, word.end});
    }
    std::stable_sort(words.begin(), words.end(),
                     [](const TimedWord& a, const TimedWord& b) { return a.offset < b.offset; });
    QList<TimedWord> usable;
    for (TimedWord word : std::as_const(words)) {
        if (!usable.isEmpty() && word.offset < usable.last().offset + usable.last().length)
            continue;
        word.start = std::max(word.start, usable.isEmpty() ? qint64(0) : usable.last().start);
        word.end = std::max(word.end, word.start);
        usable.append(word);
    }
    return usable;
}

class CueMaker {
public:
    CueMaker(const TimedText& timed, const CueLayout& layout)
        : m_markup(timed.text, timed.markup)
        , m_layout(layout)
    {
    }

    const QString& visible() const { return m_markup.visible(); }

    // The words of one sentence, each with the text up to the next one; the first also takes what opens the
    // sentence (a quote), the last what closes it.
    void addSentence(const speech::TextRange& sentence, const QList<TimedWord>& words)
    {
        QList<Unit> units;
        for (qsizetype i = 0; i < words.size(); ++i) {
            const TimedWord& word = words.at(i);
            const int from = i == 0 ? std::min(sentence.start, word.offset) : word.offset;
            const int to =
                i + 1 < words.size() ? words.at(i + 1).offset : std::max(sentence.end(), word.offset + word.length);
            CueWord cueWord{m_markup.readable(from, to), word.start, true};
            if (cueWord.text.isEmpty())
                continue;
            if (!units.isEmpty())
                cueWord.spaceBefore = blankBetween(m_lastEnd, from);
            m_lastEnd = word.offset + word.length;
            if (units.isEmpty() || cueWord.spaceBefore)
                units.append(Unit{});
            units.last().width += widthOf(cueWord.text);
            units.last().words.append(cueWord);
            units.last().end = std::max(units.last().end, word.end);
        }
        flush(units);
    }

    QList<Cue> finish()
    {
        for (qsizetype i = 0; i + 1 < m_cues.size(); ++i)
            m_cues[i].end = std::min(m_cues.at(i).end, m_cues.at(i + 1).start);
        return m_cues;
    }

private:
    bool blankBetween(int from, int to) const
    {
        const QString& visible = m_markup.visible();
        for (int i = std::max(from, 0); i < to; ++i) {
            if (visible.at(i).isSpace())
                return true;
        }
        return false;
    }

    // Fills cues unit by unit as long as they fit the layout's lines.
    void flush(const QList<Unit>& units)
    {
        QList<Unit> cue;
        int lines = 0;
        int used = 0;
        for (const Unit& unit : units) {
            if (!cue.isEmpty() && used + 1 + unit.width <= m_layout.lineLength) {
                used += 1 + unit.width;
            } else if (!cue.isEmpty() && lines < m_layout.lines) {
                ++lines;
                used = unit.width;
            } else {
                addCue(cue);
                cue.clear();
                lines = 1;
                used = unit.width;
            }
            cue.append(unit);
        }
        addCue(cue);
    }

    void addCue(const QList<Unit>& units)
    {
        if (units.isEmpty())
            return;
        Cue cue;
        cue.start = units.first().words.first().start;
        cue.end = cue.start;
        for (const Unit& unit : units)
            cue.end = std::max(cue.end, unit.end);
        cue.lines = balancedLines(units, m_layout.lineLength);
        m_cues.append(cue);
    }

    MarkupText m_markup;
    CueLayout m_layout;
    QList<Cue> m_cues;
    int m_lastEnd = 0;
};

} // namespace

QString Cue::lineText(qsizetype line) const
{
    QString text;
    for (const CueWord& word : lines.value(line)) {
        if (word.spaceBefore)
            text += u' ';
        text += word.text;
    }
    return text;
}

QString Cue::text() const
{
    QStringList texts;
    for (qsizetype i = 0; i < lines.size(); ++i)
        texts.append(lineText(i));
    return texts.join(u'\n');
}

CueList buildCues(const TimedText& timed, const CueLayout& layout)
{
    CueList list{timed.sampleRate, {}};
    if (timed.sampleRate <= 0 || layout.lineLength < 1 || layout.lines < 1)
        return list;
    CueMaker maker(timed, layout);
    // Sentences of the text without its tags: a tag is no sentence end, and "<break/>" between two is a blank.
    const QList<speech::TextRange> sentences = speech::SentenceSplitter::split(maker.visible());
    if (sentences.isEmpty())
        return list;
    QList<TimedWord> words;
    int sentence = 0;
    for (const TimedWord& word : usableWords(timed)) {
        const int index = speech::SentenceSplitter::indexAt(sentences, word.offset);
        if (index != sentence && !words.isEmpty()) {
            maker.addSentence(sentences.at(sentence), words);
            words.clear();
        }
        sentence = index;
        words.append(word);
    }
    if (!words.isEmpty())
        maker.addSentence(sentences.at(sentence), words);
    list.cues = maker.finish();
    return list;
}

} // namespace audiobook
