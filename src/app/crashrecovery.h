// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/textfile.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace Tarnwick {

class OpenPages;
class Prompter;
class SessionFile;

// Gives back what a run that did not end cleanly left in page backups, and
// keeps the session file listing the open pages for the next start.
class CrashRecovery final : public QObject
{
    Q_OBJECT

public:
    struct LeftOver
    {
        QString page; // full path of the page
        TextFileContent content; // the backup's text, in the page file's format
    };

    CrashRecovery(SessionFile *session, OpenPages *pages, Prompter *prompter,
                  QObject *parent = nullptr);

    // Reads the pages the session file of an unclean end lists whose backup
    // holds other text than the page file. Call it before any page opens:
    // opening and switching tabs writes backups. Backups holding nothing new
    // are deleted. Nothing is read when another running program keeps the
    // session of this home.
    void collect();
    const QList<LeftOver> &leftOvers() const { return m_leftOvers; }

    // Asks about each page collected: Yes puts the backup's text in the page,
    // marked modified; No deletes the backup; Cancel (or closing the
    // question) keeps the backup and asks again at the next start.
    void offer();

    // From now on the session file lists the open pages.
    void track();

    // The end of the run: with no page left open, the run ended cleanly and
    // the session file goes.
    void finish();

    // The backup's text when the backup of page holds other text than the page
    // file (a missing page file counts as different). Line ends and a byte
    // order mark alone make no difference: the text is what the user typed.
    static std::optional<TextFileContent> leftOverText(const QString &page);

Q_SIGNALS:
    void statusText(const QString &text);

private:
    void writeSession();

    SessionFile *m_session;
    OpenPages *m_pages;
    Prompter *m_prompter;
    QList<LeftOver> m_leftOvers;
    QStringList m_postponed; // pages whose question was put off to the next start
    bool m_tracking = false;
    bool m_failing = false; // the last session write failed and was reported
};

} // namespace Tarnwick
