// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace Tarnwick {

class EditorControl;

// Completion while typing in the page editor: after "<" the elements, after
// a blank in a start tag the element's attributes, after `="` the values of
// a closed set, after "</" the innermost open element. What to offer comes
// from CompletionContext; this shows it in the editor's list and writes the
// choice. The list follows the typing while it is on show.
class TagCompletion final : public QObject
{
    Q_OBJECT

public:
    explicit TagCompletion(EditorControl *editor, QObject *parent = nullptr);

    bool isOn() const { return m_on; }
    void setOn(bool on); // off also closes a list on show

private:
    void KeyHandled(int key, QChar typed, bool listWasActive);
    void ListChosen(int id, const QString &entry);
    void offer();

    EditorControl *m_editor;
    bool m_on = true;
};

} // namespace Tarnwick
