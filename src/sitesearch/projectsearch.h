// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sitesearch/searchquery.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace Tarnwick {

// One place a search found, in the text as the editor shows it (line breaks
// as '\n').
struct SearchMatch
{
    qsizetype offset = 0; // of the match in the text
    qsizetype length = 0;
    int line = 1; // from 1
    int column = 1; // from 1, in characters
    QString lineText; // the whole line, for the results (cut when very long)

    friend bool operator==(const SearchMatch &, const SearchMatch &) = default;
};

// What the search found in one file.
struct SearchFile
{
    QString path; // absolute
    bool open = false; // searched in its tab's text, not the file on disk
    // SHA-256 of the bytes searched (the file's, or the tab's text as UTF-8),
    // so that Replace can tell whether it changed since.
    QByteArray digest;
    QString skipped; // why the file was not searched; empty when it was
    QList<SearchMatch> matches;
};

// Find in Project: the files in scope and the matches in each. Files on
// disk are read as the editor reads them (UTF-8 or Windows-1252, any line
// ends); pages open in a tab are searched in the tab's text.
class ProjectSearch final
{
public:
    enum class Scope {
        ProjectPages, // the pages of the project tree's project
        FolderFiles, // every file of the project folder (and below) matching the mask
        OpenPages, // the pages open in tabs
    };

    // Files larger than this, and files that are not text, are skipped and listed.
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;
    // Lines longer than this are shown cut around the match.
    static constexpr qsizetype MaxLineText = 300;

    struct Request
    {
        Scope scope = Scope::ProjectPages;
        QString projectDir;
        QStringList pages; // project pages, relative to projectDir or absolute
        QString mask
            = QStringLiteral("*.htm;*.html"); // for FolderFiles: ";", "," or blanks between
        QHash<QString, QString> openTexts; // absolute path -> the tab's text
    };

    // A quick look at a file's bytes that rules out files without a match
    // before they are decoded: for plain text of ASCII letters, every match
    // holds the same bytes in UTF-8 and Windows-1252.
    struct Prefilter
    {
        QByteArray needle; // lower case when !matchCase; empty: every file may match
        bool matchCase = true;
        // Unicode case folding takes K and S for the Kelvin sign and the long s:
        // a file with bytes beyond ASCII may then match without the needle.
        bool foldsBeyondAscii = false;

        static Prefilter of(const SearchQuery &query);
        bool mayMatch(const QByteArray &bytes) const;
    };

    // The files to search, absolute, sorted, each once. Symbolic links to
    // folders are not followed.
    static QStringList filesOf(const Request &request);

    // The matches of the expression in a text.
    static QList<SearchMatch> matchesIn(const QString &text, const QRegularExpression &expression);
    // One file: the open tab's text when openTexts has it, else the file.
    static SearchFile searchFile(const QString &path, const QRegularExpression &expression,
                                 const QHash<QString, QString> &openTexts,
                                 const Prefilter &prefilter);
    static SearchFile searchFile(const QString &path, const QRegularExpression &expression,
                                 const QHash<QString, QString> &openTexts);

    static QByteArray digestOf(const QByteArray &bytes);
    static QByteArray digestOfText(const QString &text);
};

} // namespace Tarnwick
