// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/templatespage.h"

#include "tags/imagetools.h"
#include "tags/linkmarkup.h"

#include <QToolButton>

namespace Tarnwick {

TemplatesPage::TemplatesPage(ImageTools *tools, TagInserter *inserter, QWidget *parent)
    : ToolPage("TemplatesPage", inserter, parent)
{
    for (const LinkMarkup::Marker &marker : LinkMarkup::markers()) {
        const QString name = marker.name;
        connect(addButton(QLatin1String(marker.objectName) + QLatin1String("Btn"),
                          marker.buttonCaption, marker.hint),
                &QToolButton::clicked, this, [tools, name] { tools->insertMarker(name); });
    }
    finish();
}

} // namespace Tarnwick
