// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace Tarnwick {

struct ProjectTreeEntry
{
    int level = 1; // 1 project, 2 page; deeper levels are kept as they come
    QString text;

    friend bool operator==(const ProjectTreeEntry &, const ProjectTreeEntry &) = default;
};

// The project list ("project.dat"): every entry in tree order, each project
// followed by its pages. Rows are indexes into entries().
class ProjectTree final
{
public:
    // The reader's line buffer, terminating zero included.
    static constexpr qsizetype LineBufferSize = 4096;
    static constexpr char EndOfData = 26; // Ctrl+Z

    ProjectTree() = default;
    explicit ProjectTree(QList<ProjectTreeEntry> entries);

    // One line per entry: (level - 1) TABs or blanks, then the text. A line
    // ends at CR, CR LF or LF; the data end at Ctrl+Z. Empty lines are
    // skipped. Fails with "File load error" or "Line too long", followed by
    // the file name when one is given, the line and the reason: for a line
    // indented too deep, for control characters or bytes that are no text,
    // and for an entry without " - " between description and target.
    static Expected<ProjectTree> parse(const QByteArray &data, const QString &fileName = {});
    // TABs, text, CR LF per entry, UTF-8; a byte-order mark leads only when
    // the first text itself starts with U+FEFF.
    QByteArray serialize() const;

    static Expected<ProjectTree> load(const QString &path);
    // The default tree when the file does not exist.
    static Expected<ProjectTree> loadOrDefault(const QString &path);
    // Atomic; a failure leaves the old file as it was. Before the file is
    // rewritten, its previous content is copied to backupPath(path) when
    // that content reads without error (a damaged file never replaces the
    // backup); a list that is already stored as it stands is not written
    // again. A tree the reader would refuse is not written.
    Result save(const QString &path) const;
    // "project.dat" is kept as "project.dat.bak".
    static QString backupPath(const QString &path);

    static ProjectTree defaultTree();

    const QList<ProjectTreeEntry> &entries() const { return m_entries; }
    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const ProjectTreeEntry &entry(qsizetype row) const { return m_entries.at(row); }

    QList<int> projectRows() const;
    // The level-2 entries below a project, up to the next project.
    QList<int> pageRowsOf(int projectRow) const;
    // The nearest project entry at or above row; -1 when there is none.
    int projectRowOf(int row) const;

    // Pages are kept sorted by a byte-wise, case-sensitive comparison of their
    // texts: the new one goes before the first page that is not smaller, else
    // after the project's last page. -1 when projectRow is no project entry.
    int pageInsertRow(int projectRow, const QString &text) const;
    static bool sortsBefore(const QString &a, const QString &b);
    // Return the new entry's row, -1 when nothing was added.
    int addPage(int projectRow, const QString &text);
    int addProject(const QString &text);
    // Removes the entry with everything below it.
    void removeEntry(int row);
    void setText(int row, const QString &text);

    friend bool operator==(const ProjectTree &, const ProjectTree &) = default;

private:
    bool isProjectRow(int row) const;
    int subtreeEnd(int row) const;

    QList<ProjectTreeEntry> m_entries;
};

} // namespace Tarnwick
