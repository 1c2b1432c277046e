// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <functional>

namespace Tarnwick {

class EditorControl;
class Prompter;
class TagInserter;

// Commands that rewrite or complete the page as a whole: empty colour
// attributes, the title, the last-modified marker, the standard skeleton and
// the date and time. Dates and times come from the clock and locale given.
class CleanupTools final
{
public:
    struct Collaborators
    {
        std::function<QDateTime()> clock; // local time; the system's when empty
        QLocale locale = QLocale::system();
        std::function<void()> refresh; // the preview follows the editor
    };

    CleanupTools(EditorControl *editor, Prompter *prompter, TagInserter *inserter,
                 Collaborators collaborators);

    static QString removeColorsQuestion();
    // The text without attributes of tags whose name ends in "color" and
    // whose value is an empty pair of double quotes; the blank in front
    // stays. Comments, scripts, style sheets and text between tags are kept.
    static QString withoutEmptyColors(const QString &text);
    void RemoveInvalidColors1Click();

    // Selects the title element and returns its text; without one, the caret
    // goes right behind "<head>", or stays at the top, and the title is empty.
    static QString GetTitleText(EditorControl &editor);
    void EditTitle1Click();

    // "<PAGEMODIFIED>" date and time "</PAGEMODIFIED>": short date, blank,
    // long time; at exactly midnight the date alone.
    static QString marker(const QDateTime &when, const QLocale &locale);
    // Refreshes the marker in place, else puts one right before "</BODY>",
    // else at the caret the searches left (the top).
    void SetLastModifiedDate();
    // Before a save: the marker refreshed with caret, selection and scroll
    // put back; a page with neither marker nor "</BODY>" is left alone.
    void stampBeforeSave();

    // The eight lines of a page skeleton at the caret.
    void InsertBasicTags();
    QString dateText() const;
    QString timeText() const;
    void Todaysdate1Click();
    void CurrentTime1Click();
    void DateTime2Click();

private:
    QDateTime now() const;

    EditorControl *m_editor;
    Prompter *m_prompter;
    TagInserter *m_inserter;
    Collaborators m_collaborators;
};

} // namespace Tarnwick
