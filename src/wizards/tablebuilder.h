// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace Tarnwick {

// The table-wide fields of the table builder.
struct TableAttributes
{
    int border = 1;
    int width = 0; // per cent
    QString justification = QStringLiteral("None"); // "None", "Left", "Center", "Right"
    int padding = 1;
    int spacing = 2;
    QString tableColor; // six hex digits or empty
    QString borderColor;
    QString caption;
    int captionSize = 1; // 1..7
    QString location = QStringLiteral("Top"); // "Top" or "Bottom"

    friend bool operator==(const TableAttributes &, const TableAttributes &) = default;
};

// The fields of one cell.
struct CellFields
{
    int rowSpan = 1;
    int colSpan = 1;
    QString vertical = QStringLiteral("None");
    QString horizontal = QStringLiteral("None");
    QString text = QStringLiteral("CellText");
    bool header = false;
    QString color; // six hex digits or empty

    friend bool operator==(const CellFields &, const CellFields &) = default;
};

// The table being built: one element per line. In edit form every cell
// carries an anchor "Cell:n." whose "*" the preview shows, so that a click
// names the cell; the view form is the table as it goes into the page.
class TableBuilder
{
public:
    static constexpr int maxColumns = 30;
    static constexpr int maxRows = 1000;

    static QString startTag(const TableAttributes &attributes);
    static QString captionLine(const TableAttributes &attributes);
    // A cell line in edit form with the anchor of number.
    static QString cellLine(const CellFields &cell, int number);
    // The fields read back from lines 0 and 1 of a table list.
    static TableAttributes readAttributes(const QStringList &lines);
    // "Cell:7." from a clicked address such as "cell:7.", empty for any other.
    static QString anchorOf(const QString &address);
    // Whether a line is a cell (holds "<TD" or "<TH", any case).
    static bool isCellLine(const QString &line);

    const QStringList &lines() const { return m_lines; }
    bool built() const { return m_built; }
    bool viewForm() const { return m_viewForm; }
    int selectedLine() const { return m_selected; }
    int nextCellNumber() const { return m_nextCell; }

    // A fresh grid: the start tag, the caption, rows of new cells, "</TABLE>".
    void build(int columns, int rows, const TableAttributes &attributes);
    // Lines 0 and 1 follow the fields; before a build there is nothing to change.
    void setAttributes(const TableAttributes &attributes);

    // Selects the cell whose own anchor the address names; false when none does.
    bool selectCell(const QString &address);
    void clearSelection() { m_selected = -1; }
    CellFields selectedCell() const;
    // Rewrites the selected cell, keeping its anchor.
    void changeCell(const CellFields &cell);
    // After changeCell, with before the selected line as it was: the anchor
    // ("Cell:5.") by which a preview of the table may have that one cell
    // swapped in place, parsed as the whole table would parse it. Empty unless
    // both lines are a cell of the builder's making with that anchor and no
    // markup of their own, and no other line names the anchor.
    QString inPlaceCellAnchor(const QString &before) const;
    // tableColor: the table's colour, which a new cell takes.
    void addCell(bool before, const QString &tableColor);
    void addRow(bool before, const QString &tableColor);
    // Deletes the selected cell and a row it leaves empty; nothing stays selected.
    void deleteCell();

    // Without anchors; inserting also drops the empty BGCOLOR="" attributes.
    void toViewForm(bool inserting);
    // Anchors again, numbered in list order.
    void toEditForm();
    // The list in view form, this builder unchanged.
    QStringList viewLines() const;

    // A table list read from a definition file (edit form); anchors are
    // numbered afresh in list order so that every new cell gets its own.
    void load(const QStringList &lines);

private:
    QString newCell(const QString &color);
    static QString withoutAnchor(const QString &line);

    QStringList m_lines;
    int m_selected = -1;
    int m_nextCell = 0;
    bool m_built = false;
    bool m_viewForm = false;
};

} // namespace Tarnwick
