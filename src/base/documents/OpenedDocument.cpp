#include "base/documents/OpenedDocument.h"

#include "base/documents/DocumentProblem.h"

namespace documents {

OpenedDocument openedDocument(const Document& document, const QString& path)
{
    OpenedDocument opened{path, document.title, QString(), {}};
    const QString& text = document.text;
    opened.text.reserve(text.size() + text.size() / 16);
    auto chapter = document.chapters.cbegin();
    for (qsizetype i = 0; i <= text.size(); ++i) {
        for (; chapter != document.chapters.cend() && chapter->position <= i; ++chapter)
            opened.chapters.append({int(opened.text.size()), chapter->title});
        if (i == text.size())
            break;
        // A lone CR or LF, or a CR LF pair, is one line break: the text box shows CR LF as one.
        if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) {
            opened.text += QLatin1String("\r\n");
            if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else {
            opened.text += text[i];
        }
    }
    return opened;
}

QString OpenedDocument::withChapterMarks() const
{
    QString marked = text;
    for (auto chapter = chapters.crbegin(); chapter != chapters.crend(); ++chapter) {
        const qsizetype at = qBound(qsizetype(0), qsizetype(chapter->position), marked.size());
        const bool lineStart = at == 0 || marked[at - 1] == QLatin1Char('\n');
        marked.insert(at, lineStart ? QStringLiteral("# ") : QStringLiteral("\r\n# "));
    }
    return marked;
}

QString readFailureMessage(const QString& path, const QString& englishReason)
{
    const QString name = QStringLiteral("  Datei ''") + path + QStringLiteral("''");
    if (englishReason == failure(Problem::Unreadable, QStringLiteral("it does not exist")).error())
        return name + QStringLiteral(" nicht gefunden ...    ");
    // Its German reason would repeat what the message says already; the system's reason follows.
    const QString unreadable = failure(Problem::Unreadable).error();
    if (englishReason.startsWith(unreadable))
        return name + QStringLiteral(" kann nicht gelesen werden") + englishReason.mid(unreadable.size()) +
               QStringLiteral("    ");
    return name + QStringLiteral(" kann nicht gelesen werden: ") + germanReason(englishReason) + QStringLiteral("    ");
}

} // namespace documents
