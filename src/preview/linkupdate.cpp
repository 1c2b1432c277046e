// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/linkupdate.h"

#include "preview/pagedetails.h"
#include "preview/pagereferences.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace Tarnwick {

namespace {

struct Replacement
{
    qsizetype offset = 0;
    qsizetype length = 0;
    QString value;
    int line = 1;
};

QList<qsizetype> lineStarts(QStringView text)
{
    QList<qsizetype> starts { 0 };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\n'))
            starts.append(i + 1);
    }
    return starts;
}

bool attributeNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')
        || c == QLatin1Char(':') || c == QLatin1Char('.');
}

// Where the value of the attribute whose name starts at `offset` begins; -1
// when the text there does not hold that value, which is then left alone.
qsizetype valueOffset(QStringView text, qsizetype offset, const QString &value)
{
    qsizetype i = offset;
    while (i < text.size() && attributeNameChar(text.at(i)))
        ++i;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    if (i >= text.size() || text.at(i) != QLatin1Char('='))
        return -1;
    ++i;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    if (i < text.size() && (text.at(i) == QLatin1Char('"') || text.at(i) == QLatin1Char('\'')))
        ++i;
    return text.mid(i, value.size()) == value ? i : -1;
}

// The "#marker" or "?query" a value ends with.
QString endingOf(const QString &value)
{
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) == QLatin1Char('#') || value.at(i) == QLatin1Char('?'))
            return value.mid(i);
    }
    return QString();
}

QString lineOf(QStringView text, const QList<qsizetype> &starts, int line)
{
    const qsizetype start = starts.at(line - 1);
    const qsizetype end = line < starts.size() ? starts.at(line) - 1 : text.size();
    return text.mid(start, end - start).toString();
}

} // namespace

QString LinkUpdate::referenceTo(const QString &path, const QString &pageDirectory)
{
    const QString relative = QDir(pageDirectory).relativeFilePath(path);
    QString value;
    for (const QChar c : relative) {
        // These would end the value, split it or be read as its ending.
        // Other than ASCII it is escaped too, to read the same in any page encoding.
        const bool escape = c.isSpace() || c.unicode() < 0x20 || c.unicode() > 0x7e
            || QStringView(u"%\"'<>#?&").contains(c);
        if (!escape) {
            value += c;
            continue;
        }
        for (const char byte : QString(c).toUtf8())
            value
                += QStringLiteral("%%1").arg(uint(uchar(byte)), 2, 16, QLatin1Char('0')).toUpper();
    }
    return value;
}

PageLinkUpdate LinkUpdate::rewrite(QStringView text, const QString &pageDirectory,
                                   const QString &oldPath, const QString &newPath)
{
    using Kind = PageReference::Kind;
    const QString oldFile = QDir::cleanPath(oldPath);
    // A value names the file only with its name written out, %-escaped or
    // with "&amp;" for its "&": most pages of a site need no closer look.
    const QString oldName = QFileInfo(oldFile).fileName();
    if (!text.contains(oldName) && !text.contains(QLatin1Char('%'))
        && !oldName.contains(QLatin1Char('&')))
        return { text.toString(), {} };
    const QString newValue = referenceTo(newPath, pageDirectory);
    const QList<qsizetype> starts = lineStarts(text);

    QList<Replacement> replacements;
    for (const PageReference &r : PageReferences::parse(text)) {
        if (!r.hasValue
            || (r.kind != Kind::Link && r.kind != Kind::Source && r.kind != Kind::Background))
            continue;
        if (PageDetails::hasScheme(r.value) || r.value.contains(QLatin1Char('\n')))
            continue;
        const std::optional<QString> named = PageDetails::localPath(r.value, pageDirectory);
        if (!named || *named != oldFile)
            continue;
        if (r.line < 1 || r.line > starts.size())
            continue;
        const qsizetype at = valueOffset(text, starts.at(r.line - 1) + r.column, r.value);
        if (at < 0)
            continue;
        // The value may stand on a later line than its attribute's name.
        const int line = int(std::upper_bound(starts.begin(), starts.end(), at) - starts.begin());
        const QString value = newValue + endingOf(r.value);
        if (value != r.value) // a value that stays is no change to list
            replacements.append({ at, r.value.size(), value, line });
    }
    std::sort(replacements.begin(), replacements.end(),
              [](const Replacement &a, const Replacement &b) { return a.offset < b.offset; });

    PageLinkUpdate update;
    qsizetype done = 0;
    for (const Replacement &r : replacements) {
        if (r.offset < done)
            continue; // overlaps one already made
        update.text += text.mid(done, r.offset - done);
        update.text += r.value;
        done = r.offset + r.length;
    }
    update.text += text.mid(done);

    // Each changed line once, as it was and as it is now; values hold no
    // line break, so the lines keep their numbers.
    if (replacements.isEmpty())
        return update;
    const QList<qsizetype> newStarts = lineStarts(update.text);
    for (const Replacement &r : replacements) {
        if (!update.lines.isEmpty() && update.lines.last().line == r.line)
            continue;
        update.lines.append(
            { r.line, lineOf(text, starts, r.line), lineOf(update.text, newStarts, r.line) });
    }
    return update;
}

} // namespace Tarnwick
