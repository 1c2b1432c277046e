// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>

namespace Tarnwick {

// One thing the site check found, at a place of a page or of the site.
struct SiteFinding
{
    enum class Severity { Error, Warning, Note };

    // What kind of thing it is; the names are those the command line prints
    // in brackets and the findings pane filters by.
    enum class Kind {
        Missing, // a local target that does not exist
        LetterCase, // a target that exists only with other letter case
        Anchor, // a "#name" with no matching name or id
        LocalPath, // an address that only works on this disk: C:\, file:, backslashes, /home/...
        Outside, // a target outside the project folder
        Symlink, // a target reached through a link that leaves the project folder
        Charset, // the declared encoding against the file's bytes
        Markup, // unclosed, misnested or unknown elements and attributes, duplicate ids
        Title, // a page without a title
        Alt, // a picture without ALT
        NotInProject, // a link to a page of the folder that is not in the project tree
        External, // an address on another site, listed and not fetched
        Orphan, // a file of the project folder that nothing uses
        Unreadable, // a page that could not be read or was not checked
    };

    QString path; // the page (or file), relative to the project folder, "/" between names
    int line = 0; // from 1; 0 when the finding is about the whole file
    int column = 0; // from 1; 0 when the finding is about the whole line or file
    Severity severity = Severity::Error;
    Kind kind = Kind::Missing;
    QString message;

    static QString severityName(Severity severity);
    static QString kindName(Kind kind);
    static QList<Kind> allKinds();

    // "page.htm:3:7: error: message [missing]", as compilers print; the line
    // and column are left out when they are 0.
    QString toLine() const;
    QJsonObject toJson() const;

    // By path, line, column, then severity and message.
    static bool lessThan(const SiteFinding &a, const SiteFinding &b);

    friend bool operator==(const SiteFinding &, const SiteFinding &) = default;
};

} // namespace Tarnwick
