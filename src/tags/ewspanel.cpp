// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/ewspanel.h"

#include "tags/lamp.h"

#include <QGridLayout>
#include <QLabel>

namespace Tarnwick {

EWSPanel::EWSPanel(QWidget *parent)
    : QWidget(parent)
    , m_tag(new Lamp(this))
    , m_body(new Lamp(this))
{
    setObjectName(QStringLiteral("EWSPanel"));
    m_tag->setObjectName(QStringLiteral("InATagLight"));
    m_body->setObjectName(QStringLiteral("InABodyLight"));
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setVerticalSpacing(2);
    const struct
    {
        Lamp *lamp;
        const char *caption;
        QString hint;
    } lights[] = { { m_tag, "TAG:", tagHint() }, { m_body, "BODY:", bodyHint() } };
    int row = 0;
    for (const auto &light : lights) {
        auto *label = new QLabel(QLatin1String(light.caption), this);
        for (QWidget *widget :
             { static_cast<QWidget *>(label), static_cast<QWidget *>(light.lamp) }) {
            widget->setToolTip(light.hint);
            widget->setStatusTip(light.hint);
        }
        layout->addWidget(label, row, 0);
        layout->addWidget(light.lamp, row, 1);
        ++row;
    }
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QString EWSPanel::tagHint()
{
    return QStringLiteral("If color is GREEN then you are inside TAG.  If it is RED then you are "
                          "outside of a TAG.");
}

QString EWSPanel::bodyHint()
{
    return QStringLiteral("If color is GREEN then you are inside the BODY tag.  If it is RED then "
                          "you are outside of the BODY tag");
}

QColor EWSPanel::colorOf(TagAwareEditing::Light light) const
{
    switch (light) {
    case TagAwareEditing::Light::Green:
        return QColor(0, 255, 0);
    case TagAwareEditing::Light::Red:
        return QColor(255, 0, 0);
    case TagAwareEditing::Light::Yellow:
        return QColor(255, 255, 0);
    case TagAwareEditing::Light::Neutral:
        break;
    }
    return palette().color(QPalette::Button);
}

void EWSPanel::setLights(TagAwareEditing::Light body, TagAwareEditing::Light tag)
{
    m_body->setColor(colorOf(body));
    m_tag->setColor(colorOf(tag));
}

QColor EWSPanel::bodyColor() const
{
    return m_body->color();
}

QColor EWSPanel::tagColor() const
{
    return m_tag->color();
}

} // namespace Tarnwick
