// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace Tarnwick {

class OpenPages;
class Prompter;

// After a page was renamed or moved, offers to change the links the pages of
// its project make to it: it lists the pages and lines first, and on Yes changes open
// pages in their tabs (modified, not saved) and the others on disk.
class LinkUpdater final
{
public:
    LinkUpdater(OpenPages *pages, Prompter *prompter);

    // `from` is now `to`; pagePaths are the pages that may link to it, the
    // page itself among them under its old name.
    void offer(const QStringList &pagePaths, const QString &from, const QString &to);

    static constexpr int ListedLines = 15;
    static constexpr int ShownLineLength = 80;

    static QString question(const QString &from, const QString &to, const QStringList &listed);
    static QString notUpdated(const QStringList &pages);

private:
    OpenPages *m_pages;
    Prompter *m_prompter;
};

} // namespace Tarnwick
