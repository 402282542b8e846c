#include "base/audiobook/ChapterSplitter.h"

#include <algorithm>

namespace audiobook {

namespace {

bool isBlank(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

// The title of a line "# Title", empty when the line is none.
QString markedTitle(QStringView line)
{
    if (!line.startsWith(QLatin1String("# ")))
        return {};
    return line.mid(2).trimmed().toString();
}

} // namespace

QList<Chapter> splitMarkedChapters(const QString& text)
{
    QList<Chapter> chapters;
    Chapter current;
    bool started = false;
    for (qsizetype from = 0; from < text.size();) {
        qsizetype next = text.indexOf(u'\n', from);
        next = next < 0 ? text.size() : next + 1;
        const QStringView line = QStringView(text).mid(from, next - from);
        QStringView content = line;
        while (!content.isEmpty() && (content.back() == u'\n' || content.back() == u'\r'))
            content.chop(1);
        const QString title = markedTitle(content);
        if (title.isEmpty()) {
            current.text += line;
        } else {
            if (started || !isBlank(current.text))
                chapters.append(current);
            current = {title, title};
            if (title.back().isLetterOrNumber())
                current.text += u'.';
            current.text += line.mid(content.size());
            started = true;
        }
        from = next;
    }
    chapters.append(current);
    return chapters;
}

QList<Chapter> cutChapters(const QString& text, const QList<ChapterStart>& starts)
{
    const int size = int(text.size());
    QList<ChapterStart> sorted;
    for (const ChapterStart& start : starts)
        sorted.append({qBound(0, start.position, size), start.title});
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const ChapterStart& a, const ChapterStart& b) { return a.position < b.position; });
    sorted.erase(std::unique(sorted.begin(), sorted.end(),
                             [](const ChapterStart& a, const ChapterStart& b) { return a.position == b.position; }),
                 sorted.end());
    if (sorted.isEmpty() || sorted.first().position > 0)
        sorted.prepend({0, QString()});

    QList<Chapter> chapters;
    for (qsizetype i = 0; i < sorted.size(); ++i) {
        const int end = i + 1 < sorted.size() ? sorted.at(i + 1).position : size;
        const QString part = text.mid(sorted.at(i).position, end - sorted.at(i).position);
        if (!isBlank(part) || sorted.size() == 1)
            chapters.append({sorted.at(i).title, part});
    }
    return chapters;
}

} // namespace audiobook
