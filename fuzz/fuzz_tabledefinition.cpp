// SPDX-License-Identifier: GPL-3.0-or-later
// Table definition files (*.tbl): a file that is read gives a table whose
// anchors are numbered in list order, one per cell; a cell picked and
// written back from its own fields keeps its anchor, and one in the form the
// builder writes reads back as those fields; what is saved reads back as the
// same lines.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "wizards/tablebuilder.h"
#include "wizards/tabledefinition.h"

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const quint8 pick = input.takeByte();
    const Expected<QStringList> read = TableDefinition::parse(input.takeRest(), "fuzz.tbl");
    if (!read.ok()) {
        TARNWICK_FUZZ_CHECK(read.error().startsWith(QLatin1String("fuzz.tbl, line ")));
        return 0;
    }
    TableBuilder table;
    table.load(read.value());
    int cells = 0;
    for (const QString &line : table.lines()) {
        if (TableBuilder::isCellLine(line))
            ++cells;
    }
    TARNWICK_FUZZ_CHECK(table.nextCellNumber() == cells);
    TARNWICK_FUZZ_CHECK(table.lines().size() == read.value().size());

    // Loading again changes nothing: the numbering is already in list order.
    TableBuilder again;
    again.load(table.lines());
    TARNWICK_FUZZ_CHECK(again.lines() == table.lines());

    if (cells > 0) {
        const QString anchor = QStringLiteral("cell:%1.").arg(pick % cells);
        TARNWICK_FUZZ_CHECK(table.selectCell(anchor));
        const QString original = table.lines().at(table.selectedLine());
        const CellFields fields = table.selectedCell();
        table.changeCell(fields);
        TARNWICK_FUZZ_CHECK(table.selectCell(anchor));
        // A cell in the form the builder writes is read into fields that write it again.
        const QString written = table.lines().at(table.selectedLine());
        if (written == original)
            TARNWICK_FUZZ_CHECK(table.selectedCell() == fields);
        const int line = table.selectedLine();
        table.changeCell(table.selectedCell());
        TARNWICK_FUZZ_CHECK(table.selectedLine() == line && table.selectCell(anchor));
        table.addRow(pick & 1, QString());
        table.addCell(pick & 2, QString());
        table.deleteCell();
    }

    const TableAttributes attributes = TableBuilder::readAttributes(table.lines());
    table.setAttributes(attributes);
    const TableAttributes back = TableBuilder::readAttributes(table.lines());
    TARNWICK_FUZZ_CHECK(back.border == attributes.border && back.width == attributes.width
                        && back.padding == attributes.padding
                        && back.spacing == attributes.spacing);

    QString text;
    for (const QString &line : table.lines())
        text += line + QLatin1String("\r\n");
    const Expected<QStringList> saved = TableDefinition::parse(text.toUtf8(), "fuzz.tbl");
    TARNWICK_FUZZ_CHECK(saved.ok() && saved.value() == table.lines());
    table.toViewForm(true);
    table.toEditForm();
    return 0;
}
