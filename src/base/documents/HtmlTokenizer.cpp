#include "base/documents/HtmlTokenizer.h"

#include "base/documents/HtmlEntities.h"

#include <algorithm>

namespace documents {

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isTagSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\f');
}

class Tokenizer {
public:
    Tokenizer(QStringView html, HtmlText& sink)
        : m_html(html)
        , m_sink(sink)
    {
    }

    void run()
    {
        while (m_pos < m_html.size()) {
            const qsizetype lt = m_html.indexOf(QLatin1Char('<'), m_pos);
            const qsizetype end = lt < 0 ? m_html.size() : lt;
            if (end > m_pos)
                m_sink.text(decodeEntities(m_html.sliced(m_pos, end - m_pos)));
            m_pos = end;
            if (lt >= 0)
                markup();
        }
    }

private:
    bool at(const char* literal) const
    {
        return m_html.sliced(m_pos).startsWith(QLatin1StringView(literal), Qt::CaseInsensitive);
    }

    // Moves past the next `literal`, or to the end when there is none.
    void skipPast(const char* literal)
    {
        const QLatin1StringView what(literal);
        const qsizetype found = m_html.indexOf(what, m_pos, Qt::CaseInsensitive);
        m_pos = found < 0 ? m_html.size() : found + what.size();
    }

    void markup()
    {
        const QChar next = m_pos + 1 < m_html.size() ? m_html[m_pos + 1] : QChar();
        if (at("<!--")) {
            m_pos += 4;
            skipPast("-->");
        } else if (at("<![CDATA[")) {
            const qsizetype start = m_pos + 9;
            m_pos = start;
            skipPast("]]>");
            m_sink.text(m_html.sliced(start, std::max<qsizetype>(0, m_pos - 3 - start)));
        } else if (next == QLatin1Char('!') || next == QLatin1Char('?')) {
            skipPast(">");
        } else if (next == QLatin1Char('/') && m_pos + 2 < m_html.size() && isAsciiLetter(m_html[m_pos + 2])) {
            m_pos += 2;
            const QString name = tagName();
            skipPast(">");
            m_sink.endElement(name);
        } else if (isAsciiLetter(next)) {
            ++m_pos;
            startTag();
        } else {
            m_sink.text(u"<");
            ++m_pos;
        }
    }

    QString tagName()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_html.size() && !isTagSpace(m_html[m_pos]) && m_html[m_pos] != QLatin1Char('>') &&
               m_html[m_pos] != QLatin1Char('/'))
            ++m_pos;
        QString name = m_html.sliced(start, m_pos - start).toString().toLower();
        // XHTML served as HTML may carry a prefix; the local name is what counts.
        const qsizetype colon = name.indexOf(QLatin1Char(':'));
        return colon < 0 ? name : name.mid(colon + 1);
    }

    void startTag()
    {
        const QString name = tagName();
        bool hidden = false, selfClosing = false;
        QString style, type;
        while (m_pos < m_html.size()) {
            const QChar c = m_html[m_pos];
            if (c == QLatin1Char('>')) {
                ++m_pos;
                break;
            }
            if (c == QLatin1Char('/') || isTagSpace(c) || c == QLatin1Char('=')) {
                selfClosing = c == QLatin1Char('/') && m_pos + 1 < m_html.size() && m_html[m_pos + 1] == u'>';
                ++m_pos;
                continue;
            }
            const auto [attribute, value] = attributeAt();
            hidden = hidden || attribute == u"hidden";
            if (attribute == u"style")
                style = value;
            else if (attribute == u"epub:type" || attribute == u"role")
                type += value + QLatin1Char(' ');
        }
        m_sink.startElement(name, hiddenByAttributes(hidden, style, type));
        if (name == u"script" || name == u"style") {
            skipPast(name == u"script" ? "</script" : "</style");
            skipPast(">");
            m_sink.endElement(name);
        } else if (name == u"title" || name == u"textarea") { // text only, up to the end tag
            const QString endTag = QLatin1String("</") + name;
            const qsizetype start = m_pos;
            const qsizetype found = m_html.indexOf(endTag, m_pos, Qt::CaseInsensitive);
            m_pos = found < 0 ? m_html.size() : found;
            m_sink.text(decodeEntities(m_html.sliced(start, m_pos - start)));
            skipPast(">");
            m_sink.endElement(name);
        } else if (selfClosing) {
            m_sink.endElement(name);
        }
    }

    std::pair<QString, QString> attributeAt()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_html.size() && !isTagSpace(m_html[m_pos]) && m_html[m_pos] != QLatin1Char('=') &&
               m_html[m_pos] != QLatin1Char('>') && m_html[m_pos] != QLatin1Char('/'))
            ++m_pos;
        const QString attribute = m_html.sliced(start, m_pos - start).toString().toLower();
        qsizetype p = m_pos;
        while (p < m_html.size() && isTagSpace(m_html[p]))
            ++p;
        if (p >= m_html.size() || m_html[p] != QLatin1Char('='))
            return {attribute, QString()};
        ++p;
        while (p < m_html.size() && isTagSpace(m_html[p]))
            ++p;
        m_pos = p;
        if (p < m_html.size() && (m_html[p] == QLatin1Char('"') || m_html[p] == QLatin1Char('\''))) {
            const qsizetype close = m_html.indexOf(m_html[p], p + 1);
            m_pos = close < 0 ? m_html.size() : close + 1;
            return {attribute, decodeEntities(m_html.sliced(p + 1, (close < 0 ? m_html.size() : close) - p - 1))};
        }
        while (m_pos < m_html.size() && !isTagSpace(m_html[m_pos]) && m_html[m_pos] != QLatin1Char('>'))
            ++m_pos;
        return {attribute, decodeEntities(m_html.sliced(p, m_pos - p))};
    }

    QStringView m_html;
    HtmlText& m_sink;
    qsizetype m_pos = 0;
};

} // namespace

void tokenizeHtml(QStringView html, HtmlText& sink)
{
    Tokenizer(html, sink).run();
    sink.finish();
}

} // namespace documents
