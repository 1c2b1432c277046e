// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/prompter.h"
#include "sitesearch/projectsearch.h"
#include "sitesearch/searchquery.h"

#include <QList>
#include <QRegularExpression>
#include <QString>

#include <functional>

namespace Tarnwick {

// Replace in Project on the files themselves: the chosen matches of a search
// are replaced in each file not open in a tab, and every other byte stays as
// it was, encoding and line ends included. The file is written as File ▸ Save
// writes (a new file put in place of the old, or nothing changed); a file that
// changed since the search is left alone.
class ProjectReplace final
{
public:
    struct Outcome
    {
        QString path;
        qsizetype replaced = 0; // 0 with a reason: nothing was written
        QString failed; // why the file was not changed
    };

    // A Windows-1252 file that cannot hold characters the replacement brings:
    // Yes writes them as character references, No writes the file as UTF-8,
    // Cancel leaves the file alone.
    using EncodingQuestion
        = std::function<Prompter::Answer(const QString &path, const QStringList &characters)>;

    // The text with the chosen matches (found in that very text) replaced.
    // The matches must not overlap; their order does not matter. Line breaks
    // in a replacement become lineEnd.
    static QString replaced(const QString &text, const QList<SearchMatch> &chosen,
                            const QRegularExpression &expression, const SearchQuery &query,
                            const QString &lineEnd = QStringLiteral("\n"));

    static Outcome replaceInFile(const SearchFile &file, const QList<SearchMatch> &chosen,
                                 const QRegularExpression &expression, const SearchQuery &query,
                                 const EncodingQuestion &ask);

    // "12 replacements in 3 files." and a line for each file that failed.
    static QString summary(const QList<Outcome> &outcomes);

    static QString changedSinceSearch()
    {
        return QStringLiteral("changed since the search; search again");
    }
};

} // namespace Tarnwick
