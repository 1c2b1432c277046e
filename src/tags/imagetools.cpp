// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/imagetools.h"

#include "platform/imageinfo.h"
#include "platform/prompter.h"
#include "tags/imagelibrary.h"
#include "tags/linkmarkup.h"
#include "tags/pagefilecopy.h"
#include "tags/taginserter.h"

#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>

#include <utility>

namespace Tarnwick {

namespace {

QString call(const std::function<QString()> &f)
{
    return f ? f() : QString();
}

// The hourglass while a directory is read.
class BusyCursor final
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace

ImageTools::ImageTools(Collaborators collaborators)
    : m_c(std::move(collaborators))
{
}

QString ImageTools::noSharedDirectoryMessage()
{
    return QStringLiteral(
        "You must specify a shared image directory in the General Preferences dialog box.");
}

bool ImageTools::UseSharedImagesBtnClick(bool down)
{
    if (down && call(m_c.sharedImageDirectory).trimmed().isEmpty()) {
        m_c.prompter->information(noSharedDirectoryMessage());
        m_shared = false;
        return false;
    }
    m_shared = down;
    return true;
}

QString ImageTools::root() const
{
    return m_shared ? call(m_c.sharedImageDirectory).trimmed() : m_c.programDirectory;
}

QStringList ImageTools::categories() const
{
    const QString directory = root();
    // Said, not shown as a library without categories.
    if (ImageLibrary::unreadable(directory))
        m_c.prompter->warning(
            QStringLiteral("Exception occured during FillImageDirectoryListing!"));
    return ImageLibrary::categories(directory);
}

QString ImageTools::categoryDirectory(const QString &category) const
{
    return ImageLibrary::categoryDirectory(root(), category, call(m_c.pageDirectory));
}

QStringList ImageTools::imageList(const QString &category) const
{
    const QString directory = categoryDirectory(category);
    if (ImageLibrary::unreadable(directory)) {
        m_c.prompter->warning(QStringLiteral("Exception occured during BuildDirList!"));
        return {};
    }
    const BusyCursor busy;
    return ImageLibrary::filesWithExtensions(directory, call(m_c.graphicExtensions));
}

QStringList ImageTools::pageFiles() const
{
    return ImageLibrary::filesWithExtensions(call(m_c.pageDirectory), call(m_c.pageExtensions));
}

void ImageTools::SpeedButton36Click(const QString &category)
{
    const QString directory = categoryDirectory(category);
    const QStringList names = imageList(category);
    if (m_c.showPage)
        m_c.showPage(ImageLibrary::galleryPage(directory, names), directory);
}

void ImageTools::InsertImageTabBtnClick(const QString &category, const QString &name,
                                        const QString &alignment, const QString &hotLink)
{
    if (name.isEmpty())
        return;
    const QString source = categoryDirectory(category) + name;
    const bool isDefault = category.isEmpty() || category == ImageLibrary::defaultCategory();
    if (!isDefault && !PageFileCopy::copyBeside(*m_c.prompter, source, call(m_c.pageDirectory)))
        return;
    ImageLibrary::ImageTag tag;
    tag.name = QFileInfo(name).fileName();
    tag.alignment = alignment;
    tag.size = ImageInfo::pixelSize(source);
    tag.hotLink = hotLink;
    m_c.inserter->InsertText(ImageLibrary::imageTag(tag));
}

void ImageTools::BitBtn1Click(const QString &prefix, const QString &address,
                              const QString &linkText)
{
    const QString open = LinkMarkup::linkOpen(prefix, address);
    if (linkText.isEmpty())
        m_c.inserter->InsertSelected2(open, LinkMarkup::linkClose());
    else
        m_c.inserter->InsertText(open + linkText + LinkMarkup::linkClose());
}

void ImageTools::insertMarker(const QString &name)
{
    m_c.inserter->InsertText(LinkMarkup::markerText(name));
}

void ImageTools::Inkludge1Click()
{
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Open");
    request.directory = call(m_c.pageDirectory);
    request.filter = LinkMarkup::includeFilter();
    request.filterIndex = 0;
    const std::optional<QString> chosen = m_c.prompter->openFileName(request);
    if (!chosen || chosen->isEmpty())
        return;
    m_c.inserter->InsertText(LinkMarkup::includeTag(QFileInfo(*chosen).absoluteFilePath()));
}

} // namespace Tarnwick
