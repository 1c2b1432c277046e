// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;

namespace Tarnwick {

// tarnwick-publish: sends a project's pages and the files they reference,
// as the FTP Vaza Ded does, without a window. The pages are the project's
// entries in the project list when it holds that directory, else the
// directory's files with a valid page extension.
class CommandLinePublisher final
{
public:
    enum Exit { AllSent = 0, SomeFailed = 1, NothingSent = 2 };

    struct Options
    {
        QString projectDir;
        QString programDir; // holds project.dat
        bool dryRun = false;
        bool all = false; // every file, changed since the last send or not
        QString trustSha256; // hex digest of a certificate or SSH host key to accept
        QString password; // from the environment, when the keyring holds none; empty: PROJECT.INI's
        QString extensions = QStringLiteral("html,htm,shtm,shtml");
        QString smartAscii;
        int timeOutMs = 60000;
        bool help = false; // only the usage is wanted
    };

    // Reads the command line (without the program name); an error text for
    // a wrong one.
    static Expected<Options> parse(const QStringList &arguments);
    static QString usage();

    // The page file names to send.
    static Expected<QStringList> pagesOf(const Options &options);
    // The pages of the project list's entry for the folder; nothing when the
    // list has no entry for it.
    static Expected<std::optional<QStringList>> treePagesOf(const Options &options);

    static int run(const Options &options, QTextStream &out, QTextStream &err);
};

} // namespace Tarnwick
