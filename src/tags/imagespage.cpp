// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/imagespage.h"

#include "tags/imagetools.h"
#include "tags/refillingcombobox.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QToolButton>

namespace Tarnwick {

ImagesPage::ImagesPage(ImageTools *tools, TagInserter *inserter, QWidget *parent)
    : ToolPage("ImagesPage", inserter, parent)
    , m_tools(tools)
    , m_category(new QComboBox(this))
    , m_shared(nullptr)
    , m_image(new RefillingComboBox(this))
    , m_alignment(new QComboBox(this))
    , m_hotLink(new RefillingComboBox(this))
{
    addControl(m_category, "ImageTypeDir", QStringLiteral("Type of images to select from"));
    m_category->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_shared = addButton(
        "UseSharedImagesBtn", QStringLiteral("Shared"),
        QStringLiteral(
            "Push down to use shared graphics library, pop up to use local graphics directory"));
    m_shared->setCheckable(true);
    addLabel(QStringLiteral("Image:"));
    addControl(m_image, "ImageListDropDown",
               QStringLiteral("Select an image from the current directory"));
    m_image->setSource([this] { return m_tools->imageList(m_category->currentText()); });
    connect(addButton("SpeedButton36", QStringLiteral("View"),
                      QStringLiteral("Click to view images in HTML viewer below.")),
            &QToolButton::clicked, this,
            [this] { m_tools->SpeedButton36Click(m_category->currentText()); });
    addLabel(QStringLiteral("Align:"));
    m_alignment->addItems({ QString(), QStringLiteral("none"), QStringLiteral("top"),
                            QStringLiteral("middle"), QStringLiteral("bottom"),
                            QStringLiteral("left"), QStringLiteral("right") });
    addControl(m_alignment, "ImageAlign", QStringLiteral("Alignment of the image"));
    addLabel(QStringLiteral("Link:"));
    addControl(m_hotLink, "HotLink", QStringLiteral("Page the image links to"));
    m_hotLink->setSource([this] { return m_tools->pageFiles(); });
    connect(addButton("InsertImageTabBtn", QStringLiteral("Insert"),
                      QStringLiteral("Insert IMG tag with specified parameters")),
            &QToolButton::clicked, this, [this] {
                m_tools->InsertImageTabBtnClick(
                    m_category->currentText(), m_image->currentText().trimmed(),
                    m_alignment->currentText(), m_hotLink->currentText().trimmed());
            });
    finish();

    connect(m_shared, &QToolButton::toggled, this, &ImagesPage::UseSharedImagesBtnClick);
    connect(m_category, &QComboBox::currentIndexChanged, this, &ImagesPage::ImageTypeDirChange);
    FillImageDirectoryListing();
}

void ImagesPage::setImageName(const QString &fileName)
{
    m_image->setEditText(fileName);
}

QString ImagesPage::imageName() const
{
    return m_image->currentText();
}

void ImagesPage::FillImageDirectoryListing()
{
    {
        const QSignalBlocker blocker(m_category);
        m_category->clear();
        m_category->addItems(m_tools->categories());
        m_category->setCurrentIndex(0);
    }
    ImageTypeDirChange();
}

void ImagesPage::UseSharedImagesBtnClick(bool down)
{
    if (!m_tools->UseSharedImagesBtnClick(down)) {
        const QSignalBlocker blocker(m_shared);
        m_shared->setChecked(false);
        return;
    }
    FillImageDirectoryListing();
}

void ImagesPage::ImageTypeDirChange()
{
    m_image->clear();
    m_image->setEditText(QString());
    m_alignment->setCurrentIndex(0);
}

} // namespace Tarnwick
