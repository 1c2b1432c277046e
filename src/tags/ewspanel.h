// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/tagawareediting.h"

#include <QWidget>

namespace Tarnwick {

class Lamp;

// The two position lights of the tool panel: "TAG:" (InATagLight) and
// "BODY:" (InABodyLight).
class EWSPanel final : public QWidget
{
    Q_OBJECT

public:
    explicit EWSPanel(QWidget *parent = nullptr);

    static QString tagHint();
    static QString bodyHint();
    // The colour each light shows; Neutral is the button face.
    QColor colorOf(TagAwareEditing::Light light) const;

    void setLights(TagAwareEditing::Light body, TagAwareEditing::Light tag);
    QColor bodyColor() const;
    QColor tagColor() const;

private:
    Lamp *m_tag;
    Lamp *m_body;
};

} // namespace Tarnwick
