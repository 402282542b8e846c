#include "base/documents/RtfReader.h"

#include "base/documents/DocumentProblem.h"
#include "base/documents/RtfCodePage.h"
#include "base/documents/TextBuilder.h"

#include <QHash>

#include <algorithm>
#include <cctype>

namespace documents {

namespace {

constexpr int kDeepestNesting = 4096;
constexpr int kDefaultCodePage = 1252;

// Groups whose content is not text to read.
constexpr const char* kSkippedDestinations[] = {
    "fonttbl",
    "colortbl",
    "stylesheet",
    "pict",
    "object",
    "header",
    "headerl",
    "headerr",
    "headerf",
    "footer",
    "footerl",
    "footerr",
    "footerf",
    "footnote",
    "annotation",
    "fldinst",
    "listtable",
    "listoverridetable",
    "revtbl",
    "rsidtbl",
    "generator",
    "themedata",
    "colorschememapping",
    "latentstyles",
    "datastore",
    "xmlnstbl",
    "filetbl",
    "pntext",
    "pntxta",
    "pntxtb",
    "listtext",
    "bkmkstart",
    "bkmkend",
    "nonshppict",
    "shpinst",
    "xe",
    "tc",
    "docvar",
    "template",
    "userprops",
    "mmathPr",
};

struct Symbol {
    const char* word;
    char16_t character;
};

constexpr Symbol kSymbols[] = {
    {"emdash", 0x2014},    {"endash", 0x2013},    {"emspace", 0x2003}, {"enspace", 0x2002},
    {"qmspace", 0x2005},   {"bullet", 0x2022},    {"lquote", 0x2018},  {"rquote", 0x2019},
    {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"zwj", 0x200D},     {"zwnj", 0x200C},
};

enum class Destination { Text, Skip, FontTable, Info, Title };

struct Group {
    Destination destination = Destination::Text;
    int unicodeSkip = 1; // \ucN: how many fallback characters follow each \uN
    int codePage = kDefaultCodePage;
    bool inTable = false; // \intbl: the paragraph is in a table cell, so it ends in the row's line
};

class RtfParser {
public:
    RtfParser(const QByteArray& bytes, TextBuilder& builder)
        : m_bytes(bytes)
        , m_builder(builder)
    {
    }

    core::Result run()
    {
        while (m_pos < m_bytes.size()) {
            const char c = m_bytes[m_pos++];
            if (c == '{') {
                flush();
                if (m_stack.size() >= kDeepestNesting)
                    return failure(Problem::Damaged, QStringLiteral("groups nested too deeply"));
                m_stack.append(m_group);
                m_skipFallback = 0;
            } else if (c == '}') {
                flush();
                if (!m_stack.isEmpty())
                    m_group = m_stack.takeLast();
                m_skipFallback = 0;
            } else if (c == '\\') {
                control();
            } else if (c != '\r' && c != '\n') {
                byte(c);
            }
        }
        flush();
        return {};
    }

    QString title() const { return m_title; }

private:
    bool takesText() const
    {
        return m_group.destination == Destination::Text || m_group.destination == Destination::Title;
    }

    // Whether this character is one of the fallbacks that follow a \uN (and so not to be read).
    bool fallback()
    {
        if (m_skipFallback == 0)
            return false;
        --m_skipFallback;
        return true;
    }

    void byte(char c)
    {
        if (fallback() || !takesText())
            return;
        if (m_group.codePage != m_pendingCodePage)
            flush();
        m_pending.append(c);
    }

    // Writes the bytes collected so far, decoded by the code page they were written in.
    void flush()
    {
        if (!m_pending.isEmpty())
            write(decodeCodePage(m_pending, m_pendingCodePage));
        m_pending.clear();
        m_pendingCodePage = m_group.codePage;
    }

    void write(const QString& text)
    {
        if (m_group.destination == Destination::Title)
            m_title += text;
        else if (m_group.destination == Destination::Text)
            m_builder.addFlowing(text);
    }

    void control()
    {
        if (m_pos >= m_bytes.size())
            return;
        const char c = m_bytes[m_pos];
        if (c == '\'') {
            const bool ok = m_pos + 2 < m_bytes.size() && isxdigit(uchar(m_bytes[m_pos + 1])) &&
                            isxdigit(uchar(m_bytes[m_pos + 2]));
            if (ok)
                byte(char(QByteArray(m_bytes.constData() + m_pos + 1, 2).toInt(nullptr, 16)));
            m_pos += ok ? 3 : 1;
            return;
        }
        if (!isalpha(uchar(c))) {
            ++m_pos;
            symbol(c);
            return;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_bytes.size() && m_pos - start < 32 && isalpha(uchar(m_bytes[m_pos])))
            ++m_pos;
        const QByteArray word = m_bytes.mid(start, m_pos - start);
        const qsizetype numberStart = m_pos;
        if (m_pos < m_bytes.size() && m_bytes[m_pos] == '-')
            ++m_pos;
        while (m_pos < m_bytes.size() && m_pos - numberStart < 11 && isdigit(uchar(m_bytes[m_pos])))
            ++m_pos;
        bool hasNumber = false;
        const int number = m_bytes.mid(numberStart, m_pos - numberStart).toInt(&hasNumber);
        if (m_pos < m_bytes.size() && m_bytes[m_pos] == ' ')
            ++m_pos;
        flush();
        if (!fallback())
            controlWord(word, hasNumber ? number : -1, hasNumber);
    }

    void symbol(char c)
    {
        flush();
        if (c == '*') { // an optional destination: one this reader does not know holds nothing to read
            m_group.destination = Destination::Skip;
            return;
        }
        if (fallback())
            return;
        if (c == '\\' || c == '{' || c == '}')
            write(QString(QLatin1Char(c)));
        else if (c == '~')
            write(QString(QChar(0x00A0)));
        else if (c == '_')
            write(QStringLiteral("-"));
        else if ((c == '\n' || c == '\r') && m_group.destination == Destination::Text)
            m_builder.blockBreak();
    }

    void controlWord(const QByteArray& word, int number, bool hasNumber)
    {
        if (m_group.destination == Destination::FontTable) {
            if (word == "f")
                m_font = number;
            else if (word == "fcharset")
                m_fontCodePages.insert(m_font, codePageOfCharset(number, m_ansiCodePage));
            return;
        }
        if (word == "fonttbl") {
            m_group.destination = Destination::FontTable;
        } else if (word == "title" && m_group.destination == Destination::Info) {
            m_group.destination = Destination::Title;
        } else if (word == "info") {
            m_group.destination = Destination::Info;
        } else if (isSkipped(word)) {
            m_group.destination = Destination::Skip;
        } else if (word == "ansicpg" && hasNumber) {
            m_ansiCodePage = number;
            m_group.codePage = number;
        } else if (word == "f" && hasNumber) {
            m_group.codePage = m_fontCodePages.value(number, m_ansiCodePage);
        } else if (word == "uc" && hasNumber) {
            m_group.unicodeSkip = std::clamp(number, 0, 16);
        } else if (word == "u" && hasNumber) {
            if (takesText())
                write(QString(QChar(char16_t(number < 0 ? number + 65536 : number))));
            m_skipFallback = m_group.unicodeSkip;
        } else if (word == "bin" && hasNumber) {
            m_pos += std::clamp<qsizetype>(number, 0, m_bytes.size() - m_pos);
        } else if (m_group.destination == Destination::Text) {
            textControl(word, number);
        }
    }

    void textControl(const QByteArray& word, int number)
    {
        if (word == "par" || word == "sect" || word == "page") {
            if (m_headingStart >= 0)
                m_builder.addChapterSince(m_headingStart);
            m_headingStart = -1;
            if (m_group.inTable)
                m_builder.addFlowing(u" ");
            else
                m_builder.blockBreak();
        } else if (word == "intbl") {
            m_group.inTable = true;
        } else if (word == "pard") {
            m_group.inTable = false;
        } else if (word == "line") {
            m_builder.lineBreak();
        } else if (word == "tab") {
            m_builder.addVerbatim(u"\t");
        } else if (word == "cell" || word == "nestcell") {
            m_builder.cellBreak();
        } else if (word == "row" || word == "nestrow") {
            m_builder.blockBreak();
        } else if (word == "outlinelevel" && (number == 0 || number == 1) && m_headingStart < 0) {
            m_headingStart = m_builder.mark();
        } else {
            for (const Symbol& symbol : kSymbols) {
                if (word == symbol.word)
                    write(QString(QChar(symbol.character)));
            }
        }
    }

    static bool isSkipped(const QByteArray& word)
    {
        for (const char* skipped : kSkippedDestinations) {
            if (word == skipped)
                return true;
        }
        return false;
    }

    const QByteArray& m_bytes;
    TextBuilder& m_builder;
    qsizetype m_pos = 0;
    Group m_group;
    QList<Group> m_stack;
    QByteArray m_pending;
    int m_pendingCodePage = kDefaultCodePage;
    int m_skipFallback = 0;
    int m_ansiCodePage = kDefaultCodePage;
    int m_font = 0;
    QHash<int, int> m_fontCodePages;
    qsizetype m_headingStart = -1;
    QString m_title;
};

} // namespace

core::ResultOf<Document> readRtf(const QByteArray& bytes)
{
    TextBuilder builder;
    RtfParser parser(bytes, builder);
    if (core::Result parsed = parser.run(); !parsed)
        return parsed;
    return builder.take(Kind::Rtf, parser.title());
}

} // namespace documents
