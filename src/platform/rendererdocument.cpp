// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/rendererdocument.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QUrlQuery>

namespace Tarnwick {

namespace {

// Where the document proper starts: after white space, comments, processing
// instructions and a doctype, none of which may follow an element.
qsizetype prologueEnd(const QString &text)
{
    qsizetype at = 0;
    for (;;) {
        while (at < text.size() && text.at(at).isSpace())
            ++at;
        const qsizetype prologue = at;
        if (text.mid(at, 4) == QLatin1String("<!--")) {
            const qsizetype close = text.indexOf(QLatin1String("-->"), at + 4);
            if (close < 0)
                return prologue;
            at = close + 3;
        } else if (text.mid(at, 2) == QLatin1String("<?")
                   || text.mid(at, 2) == QLatin1String("<!")) {
            const qsizetype close = text.indexOf(QLatin1Char('>'), at + 2);
            if (close < 0)
                return prologue;
            at = close + 1;
        } else {
            return prologue;
        }
    }
}

} // namespace

QUrl RendererDocument::directoryUrl(const QString &directory)
{
    QString path = QDir::cleanPath(
        QDir(directory.isEmpty() ? QDir::currentPath() : directory).absolutePath());
    if (!path.endsWith(u'/'))
        path += u'/';
    return QUrl::fromLocalFile(path);
}

QString RendererDocument::withBase(const QString &text, const QUrl &base)
{
    static const QRegularExpression ownBase(QStringLiteral("<base[\\s/>]"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (text.contains(ownBase))
        return text;
    const QString element = QStringLiteral("<base href=\"")
        + base.toString(QUrl::FullyEncoded).toHtmlEscaped() + QStringLiteral("\">");
    QString result = text;
    result.insert(prologueEnd(text), element);
    return result;
}

Expected<QUrl> RendererDocument::write(const QString &text, const QString &baseDirectory)
{
    if (!m_dir.isValid())
        return Expected<QUrl>::failure(QStringLiteral("No room for the preview: ")
                                       + m_dir.errorString());
    m_baseUrl = directoryUrl(baseDirectory);
    const QString path = m_dir.filePath(QStringLiteral("document.htm"));
    QFile file(path);
    // The mark makes the engine read UTF-8 whatever charset the page declares:
    // the text is the editor's, not the bytes of the page file.
    const QByteArray bytes = "\xEF\xBB\xBF" + withBase(text, m_baseUrl).toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()
        || !file.flush())
        return Expected<QUrl>::failure(QStringLiteral("Could not write the preview document ")
                                       + path + QStringLiteral(": ") + file.errorString());
    // A new address for each version, so nothing of the last one is reused.
    m_documentUrl = QUrl::fromLocalFile(path);
    m_documentUrl.setQuery(QStringLiteral("v=") + QString::number(++m_generation));
    return m_documentUrl;
}

bool RendererDocument::isDocument(const QUrl &url) const
{
    return !m_documentUrl.isEmpty() && url.isLocalFile()
        && url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment)
        == m_documentUrl.adjusted(QUrl::RemoveQuery);
}

bool RendererDocument::isWithinDocument(const QUrl &url) const
{
    return !m_baseUrl.isEmpty() && url.adjusted(QUrl::RemoveFragment) == m_baseUrl;
}

} // namespace Tarnwick
