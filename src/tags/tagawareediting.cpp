// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tagawareediting.h"

#include "platform/editorcontrol.h"
#include "platform/fileops.h"
#include "platform/prompter.h"
#include "tags/bodysettings.h"
#include "tags/editorcursor.h"
#include "tags/pagefilecopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace Tarnwick {

TagAwareEditing::TagAwareEditing(EditorControl *editor, Prompter *prompter, BodySettings *body,
                                 Collaborators collaborators, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_body(body)
    , m_collaborators(std::move(collaborators))
    , m_textChanged(new QTimer(this))
{
    // An edit may be several changes of the text; the lights follow once.
    m_textChanged->setSingleShot(true);
    m_textChanged->setInterval(0);
    connect(m_textChanged, &QTimer::timeout, this, &TagAwareEditing::updateLights);
    // Whatever changes the text moves the body's bounds, lights on or off.
    connect(m_editor, &EditorControl::OnChange, this, [this] { m_boundsKnown = false; });
}

QString TagAwareEditing::twoClosingsWarning()
{
    return QStringLiteral(
        "It appears as if you have two closing </BODY> tags in your document.  Remember that "
        "anything appearing after the first closing tag may not display in all browsers!  It "
        "will NOT appear in this viewer.");
}

QString TagAwareEditing::imageFilter()
{
    // The lower-case extensions too: file names match them as written.
    return QStringLiteral("Images|*.GIF;*.JPG;*.PNG;*.SVG;*.WEBP;*.gif;*.jpg;*.png;*.svg;*.webp");
}

void TagAwareEditing::setHooked(bool on)
{
    if (on == m_hooked)
        return;
    m_hooked = on;
    if (!on) {
        for (const QMetaObject::Connection &connection : std::as_const(m_connections))
            disconnect(connection);
        m_connections.clear();
        m_textChanged->stop();
        clearLights();
        return;
    }
    m_connections = {
        connect(m_editor, &EditorControl::OnClick, this, &TagAwareEditing::WebPageClick),
        connect(m_editor, &EditorControl::CaretMoved, this, &TagAwareEditing::onCaretMoved),
        connect(m_editor, &EditorControl::SelectionChanged, this, &TagAwareEditing::onCaretMoved),
        connect(m_editor, &EditorControl::OnChange, this, &TagAwareEditing::onTextChanged),
    };
}

void TagAwareEditing::onTextChanged()
{
    m_textChanged->start();
}

void TagAwareEditing::onCaretMoved()
{
    // After an edit the body is looked for again once the edit is over, not
    // in the middle of it: an insertion moves the caret more than once.
    if (m_boundsKnown)
        updateLights();
    else
        m_textChanged->start();
}

void TagAwareEditing::WebPageClick()
{
    checkPosition(true);
}

void TagAwareEditing::updateLights()
{
    checkPosition(false);
}

void TagAwareEditing::clearLights()
{
    setLights(Light::Neutral, Light::Neutral);
}

void TagAwareEditing::setLights(Light body, Light tag)
{
    if (body == m_bodyLight && tag == m_tagLight)
        return;
    m_bodyLight = body;
    m_tagLight = tag;
    Q_EMIT lightsChanged(body, tag);
}

const TagPosition::Body &TagAwareEditing::bodyBounds()
{
    if (!m_boundsKnown) {
        m_bounds = TagPosition::findBody(m_editor->GetTextBuffer());
        m_boundsKnown = true;
    }
    return m_bounds;
}

void TagAwareEditing::checkPosition(bool warn)
{
    // Neither the caret's place nor the selection cache is touched: this runs
    // as the caret moves, also in the middle of other commands.
    if (m_editor->SelLength() > 0) {
        clearLights();
        return;
    }
    const LineColumn caret { m_editor->CaretLine(), m_editor->CaretColumn() };
    const TagPosition::Body &body = bodyBounds();
    if (warn && body.closings >= 2) {
        clearLights();
        m_prompter->warning(twoClosingsWarning());
    }
    const bool inside = TagPosition::insideBody(body, caret);
    const bool inTag = EditorCursor::InATagAt(*m_editor, caret.line, caret.column);
    setLights(inside ? Light::Green : Light::Red, inTag ? Light::Yellow : Light::Green);
}

void TagAwareEditing::WebPageDblClick()
{
    const QString text = m_editor->GetTextBuffer();
    m_editor->ReadSelection();
    // The editor selected the word under the mouse; its first character is
    // where the mouse stood.
    const LineColumn anchor { m_editor->StartLine, m_editor->StartPos };
    const LineColumn caret { m_editor->EndLine, m_editor->EndPos };
    const qsizetype offset = TextLines::offsetOf(text, std::min(anchor, caret));
    const AttributeText::Hit hit = AttributeText::at(text, offset);
    if (hit.part == AttributeText::Part::TagName && !hit.closingTag && m_bodyStatement
        && hit.tagName.compare(QLatin1String("BODY"), Qt::CaseInsensitive) == 0) {
        m_bodyStatement(); // it refreshes the preview itself
        return;
    }
    if (hit.part == AttributeText::Part::Attribute) {
        const LineColumn start = TextLines::lineColumnAt(text, hit.start);
        const LineColumn end = TextLines::lineColumnAt(text, hit.end);
        EditorCursor::SetEditorSelection(*m_editor, start.line, start.column, end.column, end.line);
    }
    switch (AttributeText::kindOf(hit)) {
    case AttributeText::Kind::Color:
        editColor(hit);
        break;
    case AttributeText::Kind::BadColor:
        m_prompter->error(QLatin1Char('\'') + hit.value
                          + QStringLiteral("' is not a valid color value for ") + hit.name
                          + QLatin1Char('.'));
        break;
    case AttributeText::Kind::Image:
        editImage(hit);
        break;
    case AttributeText::Kind::Align:
    case AttributeText::Kind::VAlign:
    case AttributeText::Kind::Size:
        if (m_parameterDialog)
            m_parameterDialog(AttributeText::kindOf(hit));
        break;
    default:
        break;
    }
    if (m_collaborators.refresh)
        m_collaborators.refresh();
}

void TagAwareEditing::editColor(const AttributeText::Hit &hit)
{
    const QString attribute = m_editor->GetSelText();
    const std::optional<QColor> color
        = m_prompter->chooseColor(AttributeText::colorValue(hit.value).value_or(Qt::black));
    if (!color)
        return;
    m_editor->ReplaceSelection(AttributeText::withColor(attribute, *color));
    rememberColor(hit.name, *color);
}

void TagAwareEditing::rememberColor(const QString &name, const QColor &color)
{
    if (!m_body)
        return;
    const auto is = [&name](const char *other) {
        return name.compare(QLatin1String(other), Qt::CaseInsensitive) == 0;
    };
    if (is("TEXT"))
        m_body->text = color;
    else if (is("LINK"))
        m_body->link = color;
    else if (is("VLINK"))
        m_body->visitedLink = color;
    else if (is("ALINK"))
        m_body->activeLink = color;
    else if (is("BGCOLOR"))
        m_body->background = color;
}

void TagAwareEditing::editImage(const AttributeText::Hit &hit)
{
    const QString directory
        = m_collaborators.pageDirectory ? m_collaborators.pageDirectory() : QString();
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Open File");
    request.directory = directory;
    request.filter = imageFilter();
    const std::optional<QString> chosen = m_prompter->openFileName(request);
    if (!chosen || !PageFileCopy::copyBeside(*m_prompter, *chosen, directory))
        return;
    const QString fileName = QFileInfo(*chosen).fileName();
    QString value = fileName;
    value.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
    m_editor->ReplaceSelection(hit.name + QStringLiteral("=\"") + value + QLatin1Char('"'));
}

} // namespace Tarnwick
