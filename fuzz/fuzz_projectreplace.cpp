// SPDX-License-Identifier: GPL-3.0-or-later
// Find and Replace in Project on a file's bytes: the first line is the
// pattern, the second the replacement, the rest the file. Whatever they hold,
// the search ends; every match lies in the text at its line and column; a
// Replace of no match gives back every byte; and a Replace of every match
// leaves the text outside the matches as it was (checked by replacing each
// match on one line with itself, which must give the same bytes).

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "platform/textfile.h"
#include "sitesearch/projectreplace.h"
#include "sitesearch/projectsearch.h"
#include "sitesearch/searchquery.h"

#include <QRegularExpression>

#include <algorithm>

#include <cstddef>
#include <cstdint>

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Tarnwick::FuzzInput input(data, size);
    SearchQuery query;
    query.text = QString::fromUtf8(input.takeLine());
    query.replacement = QString::fromUtf8(input.takeLine());
    const QByteArray bytes = input.takeRest();
    query.regularExpression = !query.text.isEmpty() && query.text.front() == QLatin1Char('~');
    if (query.regularExpression)
        query.text.remove(0, 1);
    query.matchCase = size % 2 == 0;
    query.wholeWords = size % 3 == 0;
    const Expected<QRegularExpression> compiled = query.compile();
    if (!compiled)
        return 0;
    TextFileFormat format;
    const QString raw = TextFile::rawText(bytes, &format);
    TARNWICK_FUZZ_CHECK(TextFile::rawBytes(raw, format) == bytes);
    const QString text = TextFile::normaliseLineEnds(raw);
    const QList<SearchMatch> matches = ProjectSearch::matchesIn(text, *compiled);
    const qsizetype lines = text.count(QLatin1Char('\n')) + 1;
    for (const SearchMatch &m : matches) {
        TARNWICK_FUZZ_CHECK(m.offset >= 0 && m.offset + m.length <= text.size());
        TARNWICK_FUZZ_CHECK(m.line >= 1 && m.line <= lines);
        TARNWICK_FUZZ_CHECK(m.column >= 1);
        query.replacementFor(compiled->match(text, m.offset, QRegularExpression::NormalMatch,
                                             QRegularExpression::AnchorAtOffsetMatchOption));
    }
    TARNWICK_FUZZ_CHECK(ProjectReplace::replaced(raw, {}, *compiled, query) == raw);
    // Each match put back as it stands: nothing may move.
    SearchQuery same = query;
    same.regularExpression = true;
    same.replacement = QStringLiteral("\\0");
    QList<SearchMatch> disjoint;
    qsizetype end = 0;
    for (const SearchMatch &m : matches) {
        // A line break put back takes the file's main line end, which may
        // differ from the one the match covered: those are left out here.
        if (m.offset >= end && m.length > 0
            && !text.sliced(m.offset, m.length).contains(QLatin1Char('\n'))) {
            disjoint << m;
            end = m.offset + m.length;
        }
    }
    // Replace refuses expressions that match empty text: only the others are held to it.
    if (!SearchQuery::matchesEmpty(*compiled)
        && std::none_of(matches.begin(), matches.end(),
                        [](const SearchMatch &m) { return m.length == 0; }))
        TARNWICK_FUZZ_CHECK(ProjectReplace::replaced(raw, disjoint, *compiled, same) == raw);
    return 0;
}
