// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/toolpage.h"

class QComboBox;
class QToolButton;

namespace Tarnwick {

class ImageTools;
class RefillingComboBox;

// The Images page of the tool notebook: image library category, image,
// alignment and hot link, the gallery in the preview, and the IMG insertion.
class ImagesPage final : public ToolPage
{
    Q_OBJECT

public:
    ImagesPage(ImageTools *tools, TagInserter *inserter, QWidget *parent = nullptr);

    // A click on an image of the gallery: its file name goes into the image box.
    void setImageName(const QString &fileName);
    QString imageName() const;
    // The category list read again from the current root.
    void FillImageDirectoryListing();

private:
    void UseSharedImagesBtnClick(bool down);
    void ImageTypeDirChange();

    ImageTools *m_tools;
    QComboBox *m_category;
    QToolButton *m_shared;
    RefillingComboBox *m_image;
    QComboBox *m_alignment;
    RefillingComboBox *m_hotLink;
};

} // namespace Tarnwick
