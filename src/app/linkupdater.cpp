// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/linkupdater.h"

#include "app/openpages.h"
#include "platform/fileops.h"
#include "platform/prompter.h"
#include "platform/textfile.h"
#include "preview/linkupdate.h"

#include <QFileInfo>

namespace Tarnwick {

namespace {

struct LinkingPage
{
    QString path;
    bool open = false;
    TextFileFormat format;
    PageLinkUpdate update;
};

QString shown(const QString &line)
{
    const QString text = line.trimmed();
    return text.size() > LinkUpdater::ShownLineLength
        ? text.left(LinkUpdater::ShownLineLength) + QStringLiteral("...")
        : text;
}

} // namespace

LinkUpdater::LinkUpdater(OpenPages *pages, Prompter *prompter)
    : m_pages(pages)
    , m_prompter(prompter)
{
}

QString LinkUpdater::question(const QString &from, const QString &to, const QStringList &listed)
{
    return QStringLiteral("These lines of the project's pages link to ")
        + QFileInfo(from).fileName() + QStringLiteral(":\n\n") + listed.join(QLatin1Char('\n'))
        + QStringLiteral("\n\nChange them to link to ") + QFileInfo(to).fileName()
        + QStringLiteral("? Open pages change in their tabs and are not saved.");
}

QString LinkUpdater::notUpdated(const QStringList &pages)
{
    return QStringLiteral("The links of these pages were not changed:\n")
        + pages.join(QLatin1Char('\n'));
}

void LinkUpdater::offer(const QStringList &pagePaths, const QString &from, const QString &to)
{
    // A renamed page's links to itself change too; a moved page's still
    // name it in its new directory.
    const bool renamed = QFileInfo(from).absolutePath() == QFileInfo(to).absolutePath();
    QList<LinkingPage> linking;
    for (QString path : pagePaths) {
        if (FileOps::samePath(path, to))
            continue;
        if (FileOps::samePath(path, from)) {
            if (!renamed)
                continue;
            path = to;
        }
        LinkingPage page { path, false, {}, {} };
        QString text;
        if (const std::optional<QString> open = m_pages->openPageText(path)) {
            page.open = true;
            text = *open;
        } else {
            const Expected<TextFileContent> read = TextFile::read(path);
            if (!read || !read->looksLikeText)
                continue;
            text = read->text;
            page.format = read->format;
        }
        page.update = LinkUpdate::rewrite(text, QFileInfo(path).absolutePath(), from, to);
        if (page.update.changes())
            linking.append(page);
    }
    if (linking.isEmpty())
        return;

    QStringList listed;
    int lines = 0;
    for (const LinkingPage &page : linking) {
        for (const LinkLineChange &change : page.update.lines) {
            if (++lines <= ListedLines)
                listed.append(QFileInfo(page.path).fileName() + QStringLiteral(", line ")
                              + QString::number(change.line) + QStringLiteral(": ")
                              + shown(change.before));
        }
    }
    if (lines > ListedLines)
        listed.append(QStringLiteral("... and %1 more lines").arg(lines - ListedLines));
    if (m_prompter->message(Prompter::Kind::Confirmation, question(from, to, listed),
                            Prompter::Buttons::YesNo)
        != Prompter::Answer::Yes)
        return;

    QStringList failed;
    for (const LinkingPage &page : linking) {
        if (page.open) {
            if (!m_pages->changeOpenPageLines(page.path, page.update.lines))
                failed.append(page.path);
        } else if (const Result written = TextFile::write(page.path, page.update.text, page.format);
                   !written) {
            failed.append(page.path + QStringLiteral(" (") + written.error() + QLatin1Char(')'));
        }
    }
    if (!failed.isEmpty())
        m_prompter->warning(notUpdated(failed));
}

} // namespace Tarnwick
