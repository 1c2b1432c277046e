// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QMutex>

namespace Tarnwick {

// Icons for the file lists, chosen by the name's extension alone. The usual
// provider reads the start of every file to tell its type, which makes a
// folder of a thousand pictures, or the home folder at start, slow to list.
// Safe to use from the lists' background thread.
class FileIcons final : public QFileIconProvider
{
public:
    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo &info) const override;
    // The lists never show the type column; an extension is all it says.
    QString type(const QFileInfo &info) const override;

private:
    mutable QMutex m_lock;
    mutable QHash<QString, QIcon> m_byExtension; // lower case; "/" for folders
};

} // namespace Tarnwick
