#include "base/documents/HtmlReader.h"

#include "base/core/TextDecoding.h"
#include "base/documents/HtmlText.h"
#include "base/documents/HtmlTokenizer.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace documents {

namespace {

// What the first kilobyte declares, in lower case; empty when nothing is declared.
QString declaredCharset(const QByteArray& bytes)
{
    static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*[\"']?([a-z0-9_:.-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = charset.match(QString::fromLatin1(bytes.left(1024)));
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

QString decodeHtml(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return utf16.decode(bytes.sliced(2));
    }
    const QString charset = declaredCharset(bytes);
    // Browsers read Latin-1 and ASCII declarations as Windows-1252, which the default covers.
    const bool byDefault = charset.isEmpty() || charset == u"utf-8" || charset == u"utf8" || charset == u"iso-8859-1" ||
                           charset == u"latin1" || charset == u"windows-1252" || charset == u"us-ascii" ||
                           charset == u"ascii";
    if (!byDefault) {
        QStringDecoder decoder(charset.toLatin1().constData());
        if (decoder.isValid()) {
            QString text = decoder.decode(bytes);
            if (!decoder.hasError())
                return text;
        }
    }
    return core::decodeUtf8OrWindows1252(bytes);
}

} // namespace

core::ResultOf<Document> readHtml(const QByteArray& bytes)
{
    TextBuilder builder;
    HtmlText html(builder);
    tokenizeHtml(decodeHtml(bytes), html);
    return builder.take(Kind::Html, html.title());
}

} // namespace documents
