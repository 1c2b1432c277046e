// SPDX-License-Identifier: GPL-3.0-or-later
#include "sitesearch/projectsearch.h"

#include "platform/filefilter.h"
#include "platform/fileops.h"
#include "platform/textfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace Tarnwick {

namespace {

QString clean(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QStringList maskPatterns(const QString &mask)
{
    QStringList patterns = FileFilter::listEntries(mask);
    if (patterns.isEmpty())
        patterns << QStringLiteral("*");
    return patterns;
}

} // namespace

QStringList ProjectSearch::filesOf(const Request &request)
{
    QStringList files;
    switch (request.scope) {
    case Scope::ProjectPages:
        for (const QString &page : request.pages)
            files << clean(QDir(request.projectDir).absoluteFilePath(page));
        break;
    case Scope::OpenPages:
        for (auto it = request.openTexts.cbegin(); it != request.openTexts.cend(); ++it)
            files << clean(it.key());
        break;
    case Scope::FolderFiles: {
        QDirIterator it(request.projectDir, maskPatterns(request.mask),
                        QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << clean(it.next());
        break;
    }
    }
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    return files;
}

QList<SearchMatch> ProjectSearch::matchesIn(const QString &text,
                                            const QRegularExpression &expression)
{
    QList<SearchMatch> found;
    int line = 1;
    qsizetype lineStart = 0;
    qsizetype counted = 0; // the text before this is counted into line and lineStart
    QRegularExpressionMatchIterator it = expression.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const qsizetype at = m.capturedStart();
        for (qsizetype i = counted; i < at; ++i) {
            if (text.at(i) == QLatin1Char('\n')) {
                ++line;
                lineStart = i + 1;
            }
        }
        counted = std::max(counted, at);
        qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), at);
        if (lineEnd < 0)
            lineEnd = text.size();
        SearchMatch match;
        match.offset = at;
        match.length = m.capturedLength();
        match.line = line;
        match.column = int(at - lineStart) + 1;
        if (lineEnd - lineStart <= MaxLineText) {
            match.lineText = text.mid(lineStart, lineEnd - lineStart);
        } else {
            // A long line (a minified page) is shown around the match.
            const qsizetype from = std::max(lineStart, at - MaxLineText / 3);
            const qsizetype to = std::min(lineEnd, from + MaxLineText);
            match.lineText = (from > lineStart ? QStringLiteral("...") : QString())
                + text.mid(from, to - from) + (to < lineEnd ? QStringLiteral("...") : QString());
        }
        found.append(std::move(match));
    }
    return found;
}

QByteArray ProjectSearch::digestOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

QByteArray ProjectSearch::digestOfText(const QString &text)
{
    return digestOf(text.toUtf8());
}

ProjectSearch::Prefilter ProjectSearch::Prefilter::of(const SearchQuery &query)
{
    Prefilter prefilter;
    if (query.regularExpression || query.text.isEmpty())
        return prefilter;
    for (const QChar c : query.text) {
        if (c.unicode() >= 0x80 || c.unicode() == 0)
            return prefilter; // encoded differently in UTF-8 and Windows-1252
    }
    prefilter.matchCase = query.matchCase;
    prefilter.needle = query.matchCase ? query.text.toLatin1() : query.text.toLatin1().toLower();
    prefilter.foldsBeyondAscii
        = !query.matchCase && (prefilter.needle.contains('k') || prefilter.needle.contains('s'));
    return prefilter;
}

bool ProjectSearch::Prefilter::mayMatch(const QByteArray &bytes) const
{
    if (needle.isEmpty())
        return true;
    if (matchCase)
        return bytes.contains(needle);
    if (foldsBeyondAscii
        && std::any_of(bytes.begin(), bytes.end(), [](char c) { return c & char(0x80); }))
        return true;
    return bytes.toLower().contains(needle);
}

SearchFile ProjectSearch::searchFile(const QString &path, const QRegularExpression &expression,
                                     const QHash<QString, QString> &openTexts)
{
    return searchFile(path, expression, openTexts, Prefilter());
}

SearchFile ProjectSearch::searchFile(const QString &path, const QRegularExpression &expression,
                                     const QHash<QString, QString> &openTexts,
                                     const Prefilter &prefilter)
{
    SearchFile file;
    file.path = path;
    if (const auto open = openTexts.constFind(path); open != openTexts.constEnd()) {
        file.open = true;
        file.digest = digestOfText(*open);
        file.matches = matchesIn(*open, expression);
        return file;
    }
    const QFileInfo info(path);
    if (!info.isFile()) {
        file.skipped = QStringLiteral("not found");
        return file;
    }
    if (info.size() > MaxFileBytes) {
        file.skipped = QStringLiteral("larger than %1 MB").arg(MaxFileBytes / (1024 * 1024));
        return file;
    }
    const FileOps::BoundedRead read = FileOps::readAtMost(path, MaxFileBytes);
    if (!read.error.isEmpty()) {
        file.skipped = read.error;
        return file;
    }
    if (read.tooLarge) {
        file.skipped = QStringLiteral("larger than %1 MB").arg(MaxFileBytes / (1024 * 1024));
        return file;
    }
    const QByteArray &bytes = read.bytes;
    if (!prefilter.mayMatch(bytes)) {
        // No match to list; a file with NUL bytes is still listed as no text.
        if (bytes.contains('\0'))
            file.skipped = QStringLiteral("not text");
        return file;
    }
    const TextFileContent content = TextFile::decode(bytes);
    if (!content.looksLikeText) {
        file.skipped = QStringLiteral("not text");
        return file;
    }
    file.matches = matchesIn(content.text, expression);
    // Replace needs the file's state only where there is something to replace.
    if (!file.matches.isEmpty())
        file.digest = digestOf(bytes);
    return file;
}

} // namespace Tarnwick
