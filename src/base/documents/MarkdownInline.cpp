#include "base/documents/MarkdownInline.h"

#include "base/documents/HtmlEntities.h"

#include <QHash>
#include <QList>

#include <algorithm>

namespace documents {

namespace {

constexpr int kDeepestNesting = 16;        // links inside link texts and so on
constexpr qsizetype kLongestTarget = 2048; // a link's target, an inline tag, a reference label

bool isPunctuation(QChar c)
{
    return c.isPunct() || c.isSymbol();
}

struct Piece {
    QString text;
    QChar delimiter; // '*', '_' or '~' for a run of delimiters; null for text
    int count = 0;
    bool canOpen = false;
    bool canClose = false;
};

class InlineRenderer {
public:
    InlineRenderer(QStringView text, const QSet<QString>& labels, int depth)
        : m_text(text)
        , m_labels(labels)
        , m_depth(depth)
    {
    }

    QString render()
    {
        findEnds();
        while (m_pos < m_text.size())
            step();
        pairDelimiters();
        QString result;
        for (const Piece& piece : std::as_const(m_pieces)) {
            if (piece.delimiter.isNull())
                result += piece.text;
            else
                result.resize(result.size() + piece.count, piece.delimiter);
        }
        return result;
    }

private:
    void literal(QStringView text)
    {
        if (m_pieces.isEmpty() || !m_pieces.last().delimiter.isNull())
            m_pieces.append(Piece());
        m_pieces.last().text += text;
    }

    QString nested(QStringView text) const
    {
        if (m_depth >= kDeepestNesting)
            return text.toString();
        return InlineRenderer(text, m_labels, m_depth + 1).render();
    }

    qsizetype runLength(qsizetype from, QChar c) const
    {
        qsizetype end = from;
        while (end < m_text.size() && m_text[end] == c)
            ++end;
        return end - from;
    }

    // Where each code span, bracket, parenthesis and tag ends, found in one pass, so that no opening mark
    // searches the rest of the text again: a run of backticks ends at the next run of the same length, a bracket
    // or parenthesis at its match, a "<" at the next ">".
    void findEnds()
    {
        QList<std::pair<qsizetype, qsizetype>> runs; // start, length
        QList<qsizetype> brackets, parentheses, angles;
        for (qsizetype i = 0; i < m_text.size();) {
            const QChar c = m_text[i];
            if (c == u'`') {
                const qsizetype length = runLength(i, u'`');
                runs.append({i, length});
                i += length;
                continue;
            }
            if (c == u'[') {
                brackets.append(i);
            } else if (c == u']' && !brackets.isEmpty()) {
                m_bracketEnd.insert(brackets.takeLast(), i);
            } else if (c == u'(') {
                parentheses.append(i);
            } else if (c == u')' && !parentheses.isEmpty()) {
                m_parenthesisEnd.insert(parentheses.takeLast(), i);
            } else if (c == u'<') {
                angles.append(i);
            } else if (c == u'>') {
                for (const qsizetype angle : std::as_const(angles))
                    m_tagEnd.insert(angle, i);
                angles.clear();
            }
            i += c == u'\\' ? 2 : 1;
        }
        QHash<qsizetype, qsizetype> nextOfLength;
        for (qsizetype r = runs.size() - 1; r >= 0; --r) {
            m_codeEnd.insert(runs[r].first, nextOfLength.value(runs[r].second, -1));
            nextOfLength.insert(runs[r].second, runs[r].first);
        }
    }

    // Where the mark at `open` ends by `ends`, or -1 when it does not or too far away.
    static qsizetype endOf(const QHash<qsizetype, qsizetype>& ends, qsizetype open)
    {
        const qsizetype end = ends.value(open, -1);
        return end >= 0 && end - open <= kLongestTarget ? end : -1;
    }

    void step()
    {
        const QChar c = m_text[m_pos];
        const QChar next = m_pos + 1 < m_text.size() ? m_text[m_pos + 1] : QChar();
        if (c == u'\\' && next == u'\n') {
            hardBreak(m_pos + 2);
        } else if (c == u'\\' && next.unicode() < 128 && isPunctuation(next)) {
            literal(m_text.sliced(m_pos + 1, 1));
            m_pos += 2;
        } else if (c == u'\n') {
            const bool hard = !m_pieces.isEmpty() && m_pieces.last().text.endsWith(QLatin1String("  "));
            if (hard) {
                hardBreak(m_pos + 1);
            } else {
                literal(u" ");
                ++m_pos;
            }
        } else if (c == u'`') {
            codeSpan();
        } else if ((c == u'!' && next == u'[' && link(m_pos + 1)) || (c == u'[' && link(m_pos))) {
            // taken as a link or image
        } else if (c == u'<') {
            angle();
        } else if (c == u'&') {
            entity();
        } else if (c == u'*' || c == u'_' || c == u'~') {
            delimiterRun(c);
        } else {
            const qsizetype start = m_pos++;
            while (m_pos < m_text.size() && !QStringView(u"\\\n`![<&*_~").contains(m_text[m_pos]))
                ++m_pos;
            literal(m_text.sliced(start, m_pos - start));
        }
    }

    void entity()
    {
        const qsizetype semicolon = m_text.sliced(m_pos, std::min<qsizetype>(34, m_text.size() - m_pos)).indexOf(u';');
        const QString decoded = semicolon > 1 ? decodeEntity(m_text.sliced(m_pos + 1, semicolon - 1)) : QString();
        literal(decoded.isEmpty() ? QStringView(u"&") : QStringView(decoded));
        m_pos += decoded.isEmpty() ? 1 : semicolon + 1;
    }

    void hardBreak(qsizetype next)
    {
        if (!m_pieces.isEmpty() && m_pieces.last().delimiter.isNull()) {
            QString& last = m_pieces.last().text;
            while (last.endsWith(u' '))
                last.chop(1);
        }
        literal(u"\n");
        m_pos = next;
    }

    void codeSpan()
    {
        const qsizetype length = runLength(m_pos, u'`');
        const qsizetype end = m_codeEnd.value(m_pos, -1);
        if (end < 0) {
            literal(m_text.sliced(m_pos, length));
            m_pos += length;
            return;
        }
        QString code = m_text.sliced(m_pos + length, end - m_pos - length).toString();
        code.replace(u'\n', u' ');
        if (code.size() > 2 && code.startsWith(u' ') && code.endsWith(u' ') && !code.trimmed().isEmpty())
            code = code.mid(1, code.size() - 2);
        literal(code);
        m_pos = end + length;
    }

    // "[text](target)", "[text][label]", "[label]" as a known reference, "[^note]": true when one was taken.
    bool link(qsizetype open)
    {
        const qsizetype close = endOf(m_bracketEnd, open);
        if (close < 0)
            return false;
        const QStringView inner = m_text.sliced(open + 1, close - open - 1);
        const QChar after = close + 1 < m_text.size() ? m_text[close + 1] : QChar();
        qsizetype end = -1;
        if (after == u'(' || after == u'[') {
            end = endOf(after == u'(' ? m_parenthesisEnd : m_bracketEnd, close + 1);
            end = end < 0 ? -1 : end + 1;
        } else if (m_labels.contains(markdownLabel(inner)) || inner.startsWith(u'^')) {
            end = close + 1;
        }
        if (end < 0)
            return false;
        if (!inner.startsWith(u'^') || after == u'(') // a footnote reference is left out
            literal(nested(inner));
        m_pos = end;
        return true;
    }

    // An autolink stays as its address; an inline tag or comment goes, a <br> breaks the line.
    void angle()
    {
        const qsizetype end = endOf(m_tagEnd, m_pos);
        const qsizetype close = end < 0 ? -1 : end - m_pos;
        const QStringView inside = close > 1 ? m_text.sliced(m_pos + 1, close - 1) : QStringView();
        const bool tag = !inside.isEmpty() && (inside[0].isLetter() || inside[0] == u'/' || inside[0] == u'!');
        if (!tag) {
            literal(u"<");
            ++m_pos;
            return;
        }
        const bool autolink = !inside.contains(u' ') && (inside.contains(u':') || inside.contains(u'@'));
        if (autolink)
            literal(inside);
        else if (inside.startsWith(QLatin1String("br"), Qt::CaseInsensitive) &&
                 (inside.size() == 2 || !inside[2].isLetter()))
            literal(u"\n");
        m_pos += close + 1;
    }

    void delimiterRun(QChar c)
    {
        const qsizetype length = runLength(m_pos, c);
        const QChar before = m_pos > 0 ? m_text[m_pos - 1] : QChar(u' ');
        const QChar after = m_pos + length < m_text.size() ? m_text[m_pos + length] : QChar(u' ');
        const bool left = !after.isSpace() && !(isPunctuation(after) && !before.isSpace() && !isPunctuation(before));
        const bool right = !before.isSpace() && !(isPunctuation(before) && !after.isSpace() && !isPunctuation(after));
        Piece piece;
        piece.delimiter = c;
        piece.count = int(std::min<qsizetype>(length, 1 << 20));
        // An underscore inside a word (snake_case) is no emphasis.
        piece.canOpen = c == u'_' ? left && (!right || isPunctuation(before)) : left;
        piece.canClose = c == u'_' ? right && (!left || isPunctuation(after)) : right;
        m_pieces.append(piece);
        m_pos += length;
    }

    // Matches closers with the nearest opener of the same character; matched marks are dropped, the rest stays.
    void pairDelimiters()
    {
        QList<qsizetype> openers[3]; // for '*', '_' and '~'
        for (qsizetype i = 0; i < m_pieces.size(); ++i) {
            Piece& closer = m_pieces[i];
            if (closer.delimiter.isNull())
                continue;
            QList<qsizetype>& stack = openers[closer.delimiter == u'*' ? 0 : closer.delimiter == u'_' ? 1 : 2];
            if (closer.canClose) {
                while (closer.count > 0 && !stack.isEmpty()) {
                    Piece& opener = m_pieces[stack.last()];
                    const int used = std::min({opener.count, closer.count, 2});
                    opener.count -= used;
                    closer.count -= used;
                    if (opener.count == 0)
                        stack.removeLast();
                }
            }
            if (closer.canOpen && closer.count > 0)
                stack.append(i);
        }
    }

    QStringView m_text;
    const QSet<QString>& m_labels;
    int m_depth;
    qsizetype m_pos = 0;
    QList<Piece> m_pieces;
    QHash<qsizetype, qsizetype> m_codeEnd, m_bracketEnd, m_parenthesisEnd, m_tagEnd;
};

} // namespace

QString renderMarkdownInline(QStringView text, const QSet<QString>& labels)
{
    return InlineRenderer(text, labels, 0).render();
}

QString markdownLabel(QStringView label)
{
    return label.toString().simplified().toLower();
}

} // namespace documents
