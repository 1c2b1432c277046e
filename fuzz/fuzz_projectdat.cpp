// SPDX-License-Identifier: GPL-3.0-or-later
// project.dat: the reader either refuses the file with one of its two
// messages, naming the line, or gives a tree of sound entries whose written
// form reads back as the same tree, also after the tree commands have changed
// it.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "project/projecttree.h"

using namespace Tarnwick;

namespace {

qsizetype longestLine(const QByteArray &data)
{
    qsizetype longest = 0;
    for (const QByteArray &line : data.split('\n'))
        longest = qMax(longest, line.size());
    return longest;
}

// What save() writes must read back as the same tree; lines save() refuses
// as too long are reported there and never written.
void checkRoundTrip(const ProjectTree &tree)
{
    int previous = 0;
    for (const ProjectTreeEntry &e : tree.entries()) {
        TARNWICK_FUZZ_CHECK(e.level >= 1 && e.level <= previous + 1);
        previous = e.level;
    }
    const QByteArray written = tree.serialize();
    if (longestLine(written) > ProjectTree::LineBufferSize)
        return;
    const Expected<ProjectTree> back = ProjectTree::parse(written);
    TARNWICK_FUZZ_CHECK(back.ok());
    TARNWICK_FUZZ_CHECK(back->entries() == tree.entries());
    TARNWICK_FUZZ_CHECK(back->serialize() == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const quint8 command = input.takeByte();
    const QString newText = QString::fromUtf8(input.takeLine());
    const QByteArray file = input.takeRest();

    const Expected<ProjectTree> parsed = ProjectTree::parse(file);
    if (!parsed) {
        TARNWICK_FUZZ_CHECK(parsed.error().startsWith(QLatin1String("File load error at line "))
                            || parsed.error().startsWith(QLatin1String("Line too long at line ")));
        return 0;
    }
    for (const ProjectTreeEntry &e : parsed->entries()) {
        TARNWICK_FUZZ_CHECK(!e.text.isEmpty());
        TARNWICK_FUZZ_CHECK(e.text.contains(QLatin1Char('-')));
        for (const QChar c : e.text)
            TARNWICK_FUZZ_CHECK(
                c == QLatin1Char('\t')
                || (c >= QChar(0x20) && c != QChar(0x7F) && (c < QChar(0x80) || c > QChar(0x9F))));
    }
    checkRoundTrip(*parsed);

    // The commands change the tree and save it again.
    ProjectTree tree = *parsed;
    const QList<int> projects = tree.projectRows();
    const int project = projects.isEmpty() ? -1 : projects.at(command % projects.size());
    switch (command % 4) {
    case 0:
        tree.addProject(newText);
        break;
    case 1:
        if (project >= 0) {
            const int row = tree.addPage(project, newText);
            TARNWICK_FUZZ_CHECK(row > project && tree.projectRowOf(row) == project);
            TARNWICK_FUZZ_CHECK(tree.pageRowsOf(project).contains(row));
        }
        break;
    case 2:
        tree.removeEntry(command % qMax<qsizetype>(1, tree.size()));
        break;
    case 3:
        tree.setText(command % qMax<qsizetype>(1, tree.size()), newText);
        break;
    }
    // Texts the reader would take apart differently are written in a form
    // that reads back as an entry of the same level, so only the shape is
    // compared here.
    const QByteArray written = tree.serialize();
    if (longestLine(written) > ProjectTree::LineBufferSize)
        return 0;
    const Expected<ProjectTree> back = ProjectTree::parse(written);
    // Control characters are written as blanks; only a new text without any
    // separator makes a list the reader refuses (and save() then refuses it).
    if (!back) {
        TARNWICK_FUZZ_CHECK(
            back.error().endsWith(QLatin1String(": no \" - \" between description and target")));
        return 0;
    }
    TARNWICK_FUZZ_CHECK(back->size() == tree.size());
    for (int row = 0; row < tree.size(); ++row)
        TARNWICK_FUZZ_CHECK(back->entry(row).level == tree.entry(row).level);
    checkRoundTrip(*back);
    return 0;
}
