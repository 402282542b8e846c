#include "base/documents/HtmlText.h"

#include <algorithm>

namespace documents {

namespace {

bool isOneOf(QStringView name, std::initializer_list<const char*> names)
{
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == QLatin1StringView(n); });
}

// Elements whose content no browser shows as text (head holds the title, which is taken apart).
bool isSkipped(QStringView name)
{
    return isOneOf(name, {"head", "script", "style", "template", "noscript", "svg", "math", "iframe", "object", "video",
                          "audio", "canvas", "title"});
}

bool isVoid(QStringView name)
{
    return isOneOf(name, {"br", "hr", "img", "meta", "link", "input", "area", "base", "col", "embed", "param", "source",
                          "track", "wbr"});
}

bool isBlock(QStringView name)
{
    return isOneOf(name,
                   {"address", "article", "aside", "blockquote", "body", "caption",  "center",     "dd",      "details",
                    "dialog",  "dir",     "div",   "dl",         "dt",   "fieldset", "figcaption", "figure",  "footer",
                    "form",    "h3",      "h4",    "h5",         "h6",   "header",   "hgroup",     "html",    "legend",
                    "li",      "main",    "menu",  "nav",        "ol",   "p",        "section",    "summary", "table",
                    "tbody",   "thead",   "tfoot", "ul",         "pre",  "hr",       "tr"});
}

bool isChapterHeading(QStringView name)
{
    return name == u"h1" || name == u"h2";
}

bool isCell(QStringView name)
{
    return name == u"td" || name == u"th";
}

// Deeper than this, an end tag without its start tag is not searched for: badly nested markup stays linear.
constexpr qsizetype kEndTagSearchDepth = 64;

} // namespace

HtmlText::HtmlText(TextBuilder& builder)
    : m_builder(builder)
{
}

void HtmlText::startElement(QStringView name, bool hidden)
{
    if (isVoid(name)) {
        if (skipping())
            return;
        if (name == u"br")
            m_builder.lineBreak();
        else if (name == u"hr")
            m_builder.blockBreak();
        return;
    }
    // A body closes a head left open; nothing shown comes before it.
    if (name == u"body" && m_open.contains(u"head"))
        endElement(u"head");
    m_open.append(name.toString());
    if (skipping())
        return;
    if (hidden || isSkipped(name)) {
        m_skipFrom = m_open.size() - 1;
        return;
    }
    opened(name);
}

void HtmlText::endElement(QStringView name)
{
    const qsizetype lowest = std::max<qsizetype>(0, m_open.size() - kEndTagSearchDepth);
    qsizetype found = -1;
    for (qsizetype i = m_open.size() - 1; i >= lowest && found < 0; --i) {
        if (m_open[i] == name)
            found = i;
    }
    while (found >= 0 && m_open.size() > found) {
        const QString closing = m_open.takeLast();
        if (m_skipFrom == m_open.size())
            m_skipFrom = -1;
        else if (!skipping())
            closed(closing);
    }
}

void HtmlText::text(QStringView text)
{
    if (skipping()) {
        if (!m_open.isEmpty() && m_open.last() == u"title")
            m_title += text;
        return;
    }
    if (m_preDepth == 0) {
        m_builder.addFlowing(text);
        return;
    }
    // A line break right after <pre> is not shown.
    if (m_preStart && text.startsWith(QLatin1Char('\n')))
        text = text.sliced(1);
    m_preStart = false;
    m_builder.addVerbatim(text);
}

void HtmlText::finish()
{
    endHeading();
    m_builder.blockBreak();
}

void HtmlText::opened(QStringView name)
{
    if (name == u"pre") {
        ++m_preDepth;
        m_preStart = true;
    }
    if (name == u"tr" || name == u"table") {
        m_inCell = false;
        m_rowHasCell = false;
    }
    if (isCell(name)) {
        if (m_rowHasCell)
            m_builder.cellBreak();
        m_rowHasCell = true;
        m_inCell = true;
        return;
    }
    if (isChapterHeading(name) || isBlock(name)) {
        endHeading(); // headings hold no blocks: an unclosed one ends here
        if (m_inCell)
            m_builder.addFlowing(u" ");
        else
            m_builder.blockBreak();
    }
    if (isChapterHeading(name))
        m_headingStart = m_builder.mark();
}

void HtmlText::closed(QStringView name)
{
    if (name == u"pre" && m_preDepth > 0)
        --m_preDepth;
    if (isCell(name)) {
        m_inCell = false;
        return;
    }
    if (name == u"tr" || name == u"table") {
        m_inCell = false;
        m_rowHasCell = false;
    }
    if (isChapterHeading(name))
        endHeading();
    if (isChapterHeading(name) || isBlock(name)) {
        if (m_inCell)
            m_builder.addFlowing(u" ");
        else
            m_builder.blockBreak();
    }
}

void HtmlText::endHeading()
{
    if (m_headingStart < 0)
        return;
    m_builder.addChapterSince(m_headingStart);
    m_headingStart = -1;
}

bool hiddenByAttributes(bool hiddenAttribute, QStringView style, QStringView type)
{
    if (hiddenAttribute)
        return true;
    QString compact = style.toString().toLower();
    compact.remove(QLatin1Char(' '));
    if (compact.contains(QLatin1String("display:none")))
        return true;
    // EPUB types ("footnote", "noteref") and the roles of the same name ("doc-footnote", "doc-noteref"); a page
    // break marks where the printed edition's page began, with its number.
    for (const char* note : {"footnote", "endnote", "rearnote", "noteref", "page-list", "pagelist", "pagebreak"}) {
        if (type.contains(QLatin1StringView(note)))
            return true;
    }
    return false;
}

} // namespace documents
