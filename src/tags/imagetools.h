// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace Tarnwick {

class Prompter;
class TagInserter;

// The commands of the Images, Links and Templates tool pages and of
// "# Include...": which image library the page offers and what goes into the
// page. The pages only read their boxes and call these.
class ImageTools final
{
public:
    struct Collaborators
    {
        TagInserter *inserter = nullptr;
        Prompter *prompter = nullptr;
        QString programDirectory;
        std::function<QString()> pageDirectory;
        std::function<QString()> graphicExtensions; // comma-separated, as stored
        std::function<QString()> pageExtensions;
        std::function<QString()> sharedImageDirectory;
        // Shows a page in the preview, addresses resolving from baseDirectory.
        std::function<void(const QString &html, const QString &baseDirectory)> showPage;
    };

    explicit ImageTools(Collaborators collaborators);

    static QString noSharedDirectoryMessage();
    TagInserter *inserter() const { return m_c.inserter; }

    // The shared button pressed down (true) or popped up. Down without a
    // shared directory is refused with a message: false, the local root stays.
    bool UseSharedImagesBtnClick(bool down);
    bool shared() const { return m_shared; }
    QString root() const;

    QStringList categories() const; // ImageTypeDir
    QString categoryDirectory(const QString &category) const;
    QStringList imageList(const QString &category) const; // ImageListDropDown
    QStringList pageFiles() const; // the hot-link and address drop-downs
    void SpeedButton36Click(const QString &category); // the gallery

    // The image is copied beside the page first (for a category other than
    // "Default"); when that fails nothing is inserted.
    void InsertImageTabBtnClick(const QString &category, const QString &name,
                                const QString &alignment, const QString &hotLink);
    void BitBtn1Click(const QString &prefix, const QString &address, const QString &linkText);
    void insertMarker(const QString &name);
    void Inkludge1Click();

private:
    Collaborators m_c;
    bool m_shared = false;
};

} // namespace Tarnwick
