// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/projecttree.h"

#include "platform/fileops.h"
#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

namespace Tarnwick {

namespace {

const QString fileLoadError = QStringLiteral("File load error");
const QString lineTooLong = QStringLiteral("Line too long");
const QByteArray utf8ByteOrderMark("\xEF\xBB\xBF");

const QString separator = QStringLiteral(" - ");

bool isIndent(QChar c)
{
    return c == QLatin1Char('\t') || c == QLatin1Char(' ');
}

// Every entry is "description - target". An empty description is written
// without the blank in front, and an empty text as "-" (see storedText).
bool hasSeparator(const QString &text)
{
    return text.contains(separator) || text.startsWith(QLatin1String("- "))
        || text == QLatin1String("-");
}

// C0 controls but TAB, DEL and the C1 controls; the bytes Windows-1252 leaves
// undefined decode to C1 controls, so they count too.
bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x20 && u != u'\t') || (u >= 0x7F && u <= 0x9F);
}

// CR, CR LF and LF each end a line.
QList<QByteArrayView> splitLines(QByteArrayView data)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (data[i] != '\r' && data[i] != '\n')
            continue;
        lines.append(data.sliced(start, i - start));
        if (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < data.size())
        lines.append(data.sliced(start));
    return lines;
}

// A text the reader would take apart differently is stored in a form that
// reads back as the same entry: leading blanks would count as levels, line
// breaks and Ctrl+Z would end the entry or the data. Dropping the leading
// blanks keeps description and target, as does "-" for an empty text.
QString storedText(const QString &text)
{
    QString stored = text;
    for (QChar &c : stored) {
        if (isControl(c))
            c = QLatin1Char(' ');
    }
    // After the replacement: a line break in front becomes a blank in front.
    qsizetype start = 0;
    while (start < stored.size() && isIndent(stored.at(start)))
        ++start;
    stored.remove(0, start);
    return stored.isEmpty() ? QStringLiteral("-") : stored;
}

} // namespace

ProjectTree::ProjectTree(QList<ProjectTreeEntry> entries)
    : m_entries(std::move(entries))
{
}

Expected<ProjectTree> ProjectTree::parse(const QByteArray &data, const QString &fileName)
{
    // "File load error in project.dat at line 3: why", or without a file name.
    const auto refused = [&fileName](const QString &message, qsizetype line, const QString &why) {
        QString text = message;
        if (!fileName.isEmpty())
            text += QStringLiteral(" in ") + fileName;
        text += QStringLiteral(" at line %1: ").arg(line) + why;
        return Expected<ProjectTree>::failure(text);
    };

    QByteArrayView body(data);
    const qsizetype end = body.indexOf(EndOfData);
    if (end >= 0)
        body = body.first(end);

    const QList<QByteArrayView> byteLines = splitLines(body);
    // Decoded as a whole, so one encoding holds for every line; CR and LF are
    // single bytes in both encodings, so the lines correspond one to one.
    const QStringList textLines
        = TextFile::decode(body.toByteArray()).text.split(QLatin1Char('\n'));

    QList<ProjectTreeEntry> entries;
    int previousLevel = 0;
    for (qsizetype i = 0; i < byteLines.size(); ++i) {
        const qsizetype lineNumber = i + 1;
        if (byteLines.at(i).size() >= LineBufferSize)
            return refused(lineTooLong, lineNumber,
                           QStringLiteral("longer than %1 bytes").arg(LineBufferSize - 1));
        const QString line = i < textLines.size() ? textLines.at(i) : QString();
        qsizetype indent = 0;
        while (indent < line.size() && isIndent(line.at(indent)))
            ++indent;
        if (indent == line.size())
            continue; // empty or blank line
        const int level = int(indent) + 1;
        if (level > previousLevel + 1) {
            return refused(fileLoadError, lineNumber,
                           previousLevel == 0
                               ? QStringLiteral("indented under no entry")
                               : QStringLiteral("indented more than one level below the line "
                                                "before it"));
        }
        const QString text = line.mid(indent);
        // A project list is text that people and this program wrote: control
        // characters or bytes no code page defines mean the file is damaged
        // (or is no project list at all), and must not be taken as entries.
        for (const QChar c : text) {
            if (isControl(c)) {
                const QString code
                    = QStringLiteral("%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0')).toUpper();
                return refused(fileLoadError, lineNumber,
                               QStringLiteral("control character U+") + code
                                   + QStringLiteral(", the file is damaged"));
            }
        }
        if (!hasSeparator(text)) {
            return refused(fileLoadError, lineNumber,
                           QStringLiteral("no \" - \" between description and target"));
        }
        entries.append({ level, text });
        previousLevel = level;
    }
    return ProjectTree(std::move(entries));
}

QByteArray ProjectTree::serialize() const
{
    QByteArray data;
    for (const ProjectTreeEntry &e : m_entries) {
        data += QByteArray(qMax(0, e.level - 1), '\t');
        data += storedText(e.text).toUtf8();
        data += "\r\n";
    }
    // The reader takes a leading U+FEFF for the file's byte-order mark; a
    // first entry that starts with one keeps it behind a mark of its own.
    if (data.startsWith(utf8ByteOrderMark))
        data.prepend(utf8ByteOrderMark);
    return data;
}

Expected<ProjectTree> ProjectTree::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Expected<ProjectTree>::failure(QStringLiteral("Unable to read ") + path
                                              + QStringLiteral(": ") + file.errorString());
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Expected<ProjectTree>::failure(QStringLiteral("Unable to read ") + path
                                              + QStringLiteral(": ") + file.errorString());
    return parse(data, path);
}

Expected<ProjectTree> ProjectTree::loadOrDefault(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return defaultTree();
    return load(path);
}

Result ProjectTree::save(const QString &path) const
{
    const QByteArray data = serialize();
    // Never write a file that the reader would refuse at the next start.
    if (const Expected<ProjectTree> check = parse(data); !check)
        return Result::failure(QStringLiteral("Unable to write to ") + path + QStringLiteral(": ")
                               + check.error());
    // One generation of the previous list is kept, and only a list that reads
    // without error: a damaged file must never push the user's good copy out.
    // An unchanged list is not rewritten, so that copy survives such runs.
    if (QFileInfo(path).isFile()) {
        QFile old(path);
        if (!old.open(QIODevice::ReadOnly))
            return Result::failure(QStringLiteral("Unable to read ") + path + QStringLiteral(": ")
                                   + old.errorString());
        const QByteArray previous = old.readAll();
        old.close();
        if (previous == data)
            return Result::success();
        if (parse(previous).ok()) {
            if (const Result kept = FileOps::copyFileOverwrite(path, backupPath(path)); !kept)
                return kept;
        }
    }
    return FileOps::writeFileAtomic(path, data);
}

QString ProjectTree::backupPath(const QString &path)
{
    return path + QStringLiteral(".bak");
}

ProjectTree ProjectTree::defaultTree()
{
    return ProjectTree({
        { 1, QStringLiteral("Welcome - Welcome") },
        { 2, QStringLiteral("International Vendors - internat.htm") },
        { 2, QStringLiteral("Readme File - readme.htm") },
        { 2, QStringLiteral("Safesurf Ratings Explanation - ssplan.htm") },
        { 2, QStringLiteral("Update notices - updates.htm") },
    });
}

QList<int> ProjectTree::projectRows() const
{
    QList<int> rows;
    for (int row = 0; row < m_entries.size(); ++row) {
        if (m_entries.at(row).level == 1)
            rows.append(row);
    }
    return rows;
}

QList<int> ProjectTree::pageRowsOf(int projectRow) const
{
    QList<int> rows;
    if (!isProjectRow(projectRow))
        return rows;
    const int end = subtreeEnd(projectRow);
    for (int row = projectRow + 1; row < end; ++row) {
        if (m_entries.at(row).level == 2)
            rows.append(row);
    }
    return rows;
}

int ProjectTree::projectRowOf(int row) const
{
    if (row < 0 || row >= m_entries.size())
        return -1;
    for (; row >= 0; --row) {
        if (m_entries.at(row).level == 1)
            return row;
    }
    return -1;
}

bool ProjectTree::sortsBefore(const QString &a, const QString &b)
{
    return a.toUtf8() < b.toUtf8();
}

int ProjectTree::pageInsertRow(int projectRow, const QString &text) const
{
    if (!isProjectRow(projectRow))
        return -1;
    for (const int row : pageRowsOf(projectRow)) {
        if (!sortsBefore(m_entries.at(row).text, text))
            return row;
    }
    // After the last page together with anything nested below it.
    return subtreeEnd(projectRow);
}

int ProjectTree::addPage(int projectRow, const QString &text)
{
    const int row = pageInsertRow(projectRow, text);
    if (row >= 0)
        m_entries.insert(row, { 2, text });
    return row;
}

int ProjectTree::addProject(const QString &text)
{
    m_entries.append({ 1, text });
    return int(m_entries.size()) - 1;
}

void ProjectTree::removeEntry(int row)
{
    if (row < 0 || row >= m_entries.size())
        return;
    m_entries.remove(row, subtreeEnd(row) - row);
}

void ProjectTree::setText(int row, const QString &text)
{
    if (row >= 0 && row < m_entries.size())
        m_entries[row].text = text;
}

bool ProjectTree::isProjectRow(int row) const
{
    return row >= 0 && row < m_entries.size() && m_entries.at(row).level == 1;
}

int ProjectTree::subtreeEnd(int row) const
{
    const int level = m_entries.at(row).level;
    int end = row + 1;
    while (end < m_entries.size() && m_entries.at(end).level > level)
        ++end;
    return end;
}

} // namespace Tarnwick
