// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick {

// Where a publish sends its files: the record of what was sent is kept per
// destination, so two sites (or two folders of one site) never share it.
struct PublishDestination
{
    QString kind; // "ftp", "ftps" or "sftp", in lower case
    QString host; // in lower case
    int port = 0;
    QString user;
    QString folder; // no trailing slash; "" is the folder the log-in lands in

    // The destination with its parts in the form key() relies on.
    static PublishDestination make(const QString &kind, const QString &host, int port,
                                   const QString &user, const QString &folder);

    // "/pub/", "pub//site" and "./" read as "/pub", "pub/site" and "".
    static QString cleanFolder(const QString &folder);

    // One string per destination, the same for every run:
    // kind://user@host:port/folder, the user percent-encoded and an IPv6 host
    // in brackets, so that no two destinations give the same key.
    QString key() const;

    friend bool operator==(const PublishDestination &, const PublishDestination &) = default;
};

} // namespace Tarnwick
