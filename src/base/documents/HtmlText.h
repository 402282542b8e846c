#pragma once

#include "base/documents/TextBuilder.h"

#include <QStringList>
#include <QStringView>

namespace documents {

// Lays out (X)HTML as a browser shows it, from its elements and text: block elements end lines, table rows stand
// on one line with their cells apart by tabs, <br> breaks, white space collapses outside <pre>, and head, script,
// style and hidden elements are not shown. Each h1 and h2 is a chapter. Element names come in lower case; text
// comes with its references decoded. End tags need not match: one closes the nearest open element of its name
// with everything opened inside it, and one without an open element of its name is ignored.
class HtmlText {
public:
    explicit HtmlText(TextBuilder& builder);

    // `hidden`: the element is not displayed (a hidden attribute, display:none, a footnote's aside).
    void startElement(QStringView name, bool hidden = false);
    void endElement(QStringView name);
    void text(QStringView text);
    // Closes a heading left open at the end of the input.
    void finish();

    QString title() const { return headingTitle(m_title); }

private:
    void opened(QStringView name);
    void closed(QStringView name);
    void endHeading();
    bool skipping() const { return m_skipFrom >= 0; }

    TextBuilder& m_builder;
    QStringList m_open;
    qsizetype m_skipFrom = -1; // index in m_open of the outermost element not shown
    qsizetype m_headingStart = -1;
    int m_preDepth = 0;
    bool m_inCell = false;
    bool m_rowHasCell = false;
    bool m_preStart = false;
    QString m_title;
};

// Whether an element's attributes hide it: the hidden attribute, an inline display:none, or a footnote, endnote,
// note reference, page list or printed page number by its EPUB type or its role (shown only on request in books,
// and left out of documents of every kind).
bool hiddenByAttributes(bool hiddenAttribute, QStringView style, QStringView type);

} // namespace documents
