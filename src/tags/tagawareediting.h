// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/attributetext.h"
#include "tags/tagposition.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <utility>

class QTimer;

namespace Tarnwick {

class EditorControl;
class Prompter;
struct BodySettings;

// Follows the caret through the page source: the "BODY:" and "TAG:" lights
// say whether it stands inside the body and inside a tag, and a double click
// on an attribute edits it (a colour through the colour dialog, an image
// through the file dialog, copying the image beside the page, an alignment or
// size through the parameter dialog).
class TagAwareEditing final : public QObject
{
    Q_OBJECT

public:
    enum class Light { Neutral, Green, Red, Yellow };
    Q_ENUM(Light)

    struct Collaborators
    {
        std::function<QString()> pageDirectory;
        std::function<void()> refresh;
    };

    TagAwareEditing(EditorControl *editor, Prompter *prompter, BodySettings *body,
                    Collaborators collaborators, QObject *parent = nullptr);

    static QString twoClosingsWarning();
    static QString imageFilter();

    // Lights on: clicks, caret moves and edits in the editor update them.
    // Off: the editor is not followed and the lights stay neutral.
    void setHooked(bool on);
    bool hooked() const { return m_hooked; }

    // A click in the editor (and "Check Cursor Position"): the lights, and
    // the warning when the page has two closing BODY tags.
    void WebPageClick();
    // The lights alone, as the caret moves or the text changes.
    void updateLights();
    void clearLights();
    Light bodyLight() const { return m_bodyLight; }
    Light tagLight() const { return m_tagLight; }

    void WebPageDblClick();
    // What a double click on the name of an opening BODY tag runs.
    void setBodyStatement(std::function<void()> command) { m_bodyStatement = std::move(command); }
    // What a double click on an ALIGN=, VALIGN= or SIZE= attribute opens.
    void setParameterDialog(std::function<void(AttributeText::Kind)> open)
    {
        m_parameterDialog = std::move(open);
    }

Q_SIGNALS:
    void lightsChanged(Light body, Light tag);

private:
    void checkPosition(bool warn);
    void setLights(Light body, Light tag);
    const TagPosition::Body &bodyBounds();
    void onTextChanged();
    void onCaretMoved();
    void editColor(const AttributeText::Hit &hit);
    void editImage(const AttributeText::Hit &hit);
    void rememberColor(const QString &name, const QColor &color);

    EditorControl *m_editor;
    Prompter *m_prompter;
    BodySettings *m_body;
    Collaborators m_collaborators;
    std::function<void()> m_bodyStatement;
    std::function<void(AttributeText::Kind)> m_parameterDialog;
    QTimer *m_textChanged;
    bool m_hooked = false;
    bool m_boundsKnown = false;
    TagPosition::Body m_bounds;
    Light m_bodyLight = Light::Neutral;
    Light m_tagLight = Light::Neutral;
    QList<QMetaObject::Connection> m_connections;
};

} // namespace Tarnwick
