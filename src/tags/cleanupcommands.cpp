// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/cleanupcommands.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "tags/bodysettings.h"
#include "tags/bodytag.h"
#include "tags/editorcursor.h"
#include "tags/pagefilecopy.h"
#include "tags/safesurflabel.h"
#include "tags/stripcodes.h"
#include "tags/taginserter.h"
#include "tags/tbodyform.h"
#include "tags/trainbowform.h"
#include "tags/tsafesurfform.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace Tarnwick {

namespace {

// The caret right behind the text FindText selected.
void caretBehindSelection(EditorControl &editor)
{
    editor.ReadSelection();
    const bool forward = editor.EndLine > editor.StartLine
        || (editor.EndLine == editor.StartLine && editor.EndPos >= editor.StartPos);
    const int line = forward ? editor.EndLine : editor.StartLine;
    const int pos = forward ? editor.EndPos : editor.StartPos;
    EditorCursor::SetEditorSelection(editor, line, pos, pos, line);
}

} // namespace

CleanupCommands::CleanupCommands(Parts parts, QObject *parent)
    : QObject(parent)
    , m_parts(std::move(parts))
    , m_tools(m_parts.webPage, m_parts.prompter, m_parts.inserter,
              CleanupTools::Collaborators { m_parts.clock, m_parts.locale, m_parts.refresh })
    , m_strip(new StripCodes(m_parts.webPage, m_parts.prompter, m_parts.preview,
                             m_parts.pageDirectory, this))
{
    connect(m_strip, &StripCodes::done, this, [this](bool stripped) {
        if (stripped)
            refresh();
    });
}

CleanupCommands::~CleanupCommands() = default;

QAction *CleanupCommands::addItem(const QString &caption, const char *objectName,
                                  const QKeySequence &key, std::function<void()> command)
{
    auto *item = new QAction(caption, this);
    item->setObjectName(QLatin1String(objectName));
    item->setShortcut(key);
    item->setEnabled(m_pageOpen);
    connect(item, &QAction::triggered, this, [command = std::move(command)] { command(); });
    return item;
}

QAction *CleanupCommands::addItem(const QString &caption, const char *objectName,
                                  const QKeySequence &key, void (CleanupCommands::*slot)())
{
    return addItem(caption, objectName, key, [this, slot] { (this->*slot)(); });
}

void CleanupCommands::fillEditMenu(QMenu *menu)
{
    menu->addSeparator();
    m_editItems = {
        addItem(QStringLiteral("Strip HTML Codes"), "StripAllCodes1", {},
                [this] { m_strip->StripAllCodes1Click(); }),
        addItem(QStringLiteral("Remove Invalid Colors Tags..."), "RemoveInvalidColors1", {},
                [this] { m_tools.RemoveInvalidColors1Click(); }),
        addItem(QStringLiteral("&Title..."), "EditTitle1", QKeySequence(Qt::SHIFT | Qt::Key_F2),
                [this] { m_tools.EditTitle1Click(); }),
        addItem(QStringLiteral("Insert Standard Tags"), "Standard", {},
                [this] { m_tools.InsertBasicTags(); }),
        addItem(QStringLiteral("Update Last Modified Tag"), "UpdateLastModifiedTag1",
                QKeySequence(Qt::CTRL | Qt::Key_M), [this] { m_tools.SetLastModifiedDate(); }),
    };
    menu->addActions(m_editItems);
    menu->addSeparator();
    const QList<QAction *> statements = {
        addItem(QStringLiteral("&Body Statement..."), "EditBodyStatement",
                QKeySequence(Qt::SHIFT | Qt::Key_F1), &CleanupCommands::EditBodyStatementClick),
        addItem(QStringLiteral("SafeSurf Rating"), "SafeSurfRating1",
                QKeySequence(Qt::SHIFT | Qt::Key_F4), &CleanupCommands::SafeSurfRating1Click),
    };
    menu->addActions(statements);
    m_editItems += statements;
    menu->addSeparator();
    m_rainbowize = addItem(QStringLiteral("Rainbowize Text..."), "RainbowizeMenu", {},
                           &CleanupCommands::RainbowizeMenuClick);
    menu->addAction(m_rainbowize);
    m_editItems.append(m_rainbowize);
}

void CleanupCommands::fillHtmlCodesMenu(QMenu *menu)
{
    m_dateMenu = menu->addMenu(QStringLiteral("Current &Date/Time"));
    m_dateMenu->setObjectName(QStringLiteral("CurrentDateTime1"));
    m_dateItems = {
        addItem(QStringLiteral("Date"), "Todaysdate1", {}, [this] { m_tools.Todaysdate1Click(); }),
        addItem(QStringLiteral("Time"), "CurrentTime1", {},
                [this] { m_tools.CurrentTime1Click(); }),
        addItem(QStringLiteral("Date/Time"), "DateTime2", {}, [this] { m_tools.DateTime2Click(); }),
    };
    m_dateMenu->addActions(m_dateItems);
    m_dateMenu->menuAction()->setEnabled(m_pageOpen);
}

QAction *CleanupCommands::action(const QString &objectName) const
{
    for (QAction *item : m_editItems + m_dateItems)
        if (item->objectName() == objectName)
            return item;
    return nullptr;
}

void CleanupCommands::setPageOpen(bool open)
{
    m_pageOpen = open;
    for (QAction *item : m_editItems + m_dateItems)
        item->setEnabled(open);
    if (m_dateMenu)
        m_dateMenu->menuAction()->setEnabled(open);
}

bool CleanupCommands::run(QDialog &dialog)
{
    if (m_parts.runDialog)
        return m_parts.runDialog(dialog);
    return dialog.exec() == QDialog::Accepted;
}

QString CleanupCommands::pageDirectory() const
{
    return m_parts.pageDirectory ? m_parts.pageDirectory() : QString();
}

void CleanupCommands::refresh()
{
    if (m_parts.refresh)
        m_parts.refresh();
}

void CleanupCommands::EditBodyStatementClick()
{
    EditorControl &editor = *m_parts.webPage;
    EditorCursor::GoToTop(editor);
    if (EditorCursor::HighlightTag(editor, QStringLiteral("<BODY"), QStringLiteral(">"))) {
        if (const Result read = BodyTag::SetBodyVars(editor.GetSelText(), *m_parts.body); !read) {
            m_parts.prompter->error(read.error());
            refresh();
            return;
        }
    } else if (editor.FindText(QStringLiteral("</head>")) == 1) {
        caretBehindSelection(editor);
    }
    TBodyForm form(*m_parts.body, m_parts.prompter, pageDirectory(), QApplication::activeWindow());
    if (run(form))
        writeBodyTag(form.values());
    refresh();
}

void CleanupCommands::writeBodyTag(const BodySettings &values)
{
    // The background goes beside the page before the page names it; a name
    // read from the page's own tag lies there already.
    BodySettings written = values;
    if (!written.image.isEmpty() && !BodyTag::isWebAddress(written.image)) {
        const QString directory = pageDirectory();
        written.image = QFileInfo(QDir(directory), written.image).absoluteFilePath();
        if (!PageFileCopy::copyBeside(*m_parts.prompter, written.image, directory))
            return;
    }
    QString tag = BodyTag::build(written);
    if (m_parts.webPage->SelLength() == 0)
        tag.prepend(QLatin1Char('\r'));
    m_parts.inserter->InsertText(tag);
    *m_parts.body = written;
}

void CleanupCommands::SafeSurfRating1Click()
{
    EditorControl &editor = *m_parts.webPage;
    EditorCursor::GoToTop(editor);
    if (!EditorCursor::HighlightTag(editor, SafeSurfLabel::opening(), QStringLiteral(">"))
        && editor.FindText(QStringLiteral("</title>")) == 1)
        caretBehindSelection(editor);
    TSafeSurfForm form(QApplication::activeWindow());
    if (editor.SelLength() > 0)
        form.readLabel(editor.GetSelText());
    if (run(form)) {
        QString label = form.label().text();
        if (editor.SelLength() == 0)
            label.prepend(QLatin1Char('\r'));
        m_parts.inserter->InsertText(label);
    }
    refresh();
}

void CleanupCommands::RainbowizeMenuClick()
{
    const QString text = m_parts.webPage->GetSelTextToLineEnd();
    TRainbowForm form(text, m_parts.prompter, QApplication::activeWindow());
    if (run(form))
        m_parts.webPage->ReplaceSelection(form.result());
    refresh();
}

} // namespace Tarnwick
