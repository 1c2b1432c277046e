// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/cleanuptools.h"

#include <QList>
#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QDialog;
class QMenu;

namespace Tarnwick {

class EditorControl;
class Prompter;
class Renderer;
class StripCodes;
class TagInserter;
struct BodySettings;

// The page-wide tools of the Edit menu and the date and time of
// "HTML &Codes": clean-up, title, last-modified marker, skeleton, BODY
// statement, rating label and rainbow text.
class CleanupCommands final : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        EditorControl *webPage = nullptr;
        Prompter *prompter = nullptr;
        TagInserter *inserter = nullptr;
        BodySettings *body = nullptr; // remembered for the run
        Renderer *preview = nullptr; // the split preview, for stripping
        std::function<void()> refresh = nullptr;
        std::function<QString()> pageDirectory = nullptr;
        std::function<QDateTime()> clock = nullptr; // the system's when empty
        QLocale locale = QLocale::system();
        // Shows a dialog modally; true when it was accepted. exec() when empty.
        std::function<bool(QDialog &)> runDialog = nullptr;
    };

    explicit CleanupCommands(Parts parts, QObject *parent = nullptr);
    ~CleanupCommands() override;

    CleanupTools &tools() { return m_tools; }
    StripCodes *stripCodes() const { return m_strip; }

    void fillEditMenu(QMenu *menu);
    void fillHtmlCodesMenu(QMenu *menu); // the "Current &Date/Time" submenu
    QAction *rainbowizeAction() const { return m_rainbowize; }
    QAction *action(const QString &objectName) const;

    void setPageOpen(bool open);

    void EditBodyStatementClick();
    void SafeSurfRating1Click();
    void RainbowizeMenuClick();

private:
    QAction *addItem(const QString &caption, const char *objectName, const QKeySequence &key,
                     void (CleanupCommands::*slot)());
    QAction *addItem(const QString &caption, const char *objectName, const QKeySequence &key,
                     std::function<void()> command);
    bool run(QDialog &dialog);
    void refresh();
    QString pageDirectory() const;
    void writeBodyTag(const BodySettings &values);

    Parts m_parts;
    CleanupTools m_tools;
    StripCodes *m_strip;
    QList<QAction *> m_editItems;
    QList<QAction *> m_dateItems;
    QMenu *m_dateMenu = nullptr;
    QAction *m_rainbowize = nullptr;
    bool m_pageOpen = false;
};

} // namespace Tarnwick
