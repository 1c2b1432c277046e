// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/spellcommands.h"

#include "app/backgroundjob.h"
#include "app/editcommands.h"
#include "app/generalsettingsdialog.h"
#include "app/openpages.h"
#include "app/settings.h"
#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "spell/hunspellcache.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLayout>
#include <QMenu>
#include <QProgressDialog>
#include <QScopedValueRollback>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <atomic>
#include <memory>

namespace Tarnwick {

SpellCommands::SpellCommands(const Parts &parts, QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_editCommands(parts.editCommands)
    , m_webPage(parts.webPage)
    , m_pages(parts.pages)
    , m_settings(parts.settings)
    , m_prompter(parts.prompter)
    , m_programDirectory(parts.programDirectory)
    , m_checker(*parts.prompter, window)
    , m_build(new BackgroundJob(this))
{
    setObjectName(QStringLiteral("SpellCommands"));
    const QString hint = QStringLiteral("Spell Checker");
    m_action = new QAction(QStringLiteral("Spell Check..."), this);
    m_action->setObjectName(QStringLiteral("SpellCheck1"));
    m_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_action->setStatusTip(hint);
    connect(m_action, &QAction::triggered, this, &SpellCommands::SpellCheckClick);

    m_button = new QToolButton(window);
    m_button->setObjectName(QStringLiteral("SpellBtn"));
    m_button->setIcon(
        QIcon::fromTheme(QStringLiteral("tools-check-spelling"),
                         QApplication::style()->standardIcon(QStyle::SP_FileDialogContentsView)));
    m_button->setToolTip(hint);
    m_button->setStatusTip(hint);
    m_button->setAutoRaise(true);
    m_button->setIconSize(QSize(20, 20));
    connect(m_button, &QToolButton::clicked, m_action, &QAction::trigger);
    // The Search menu enables its items as it opens; the button follows.
    connect(m_action, &QAction::changed, m_button,
            [this] { m_button->setEnabled(m_action->isEnabled()); });
    connect(m_pages, &OpenPages::pageStateChanged, this, &SpellCommands::setPageOpen);
    setPageOpen(m_pages->count() > 0);
}

void SpellCommands::attach(QMenu *searchMenu, QToolButton *after)
{
    searchMenu->addAction(m_action);
    QWidget *panel = after->parentWidget();
    if (auto *layout = panel ? panel->layout() : nullptr) {
        if (auto *box = qobject_cast<QBoxLayout *>(layout)) {
            m_button->setParent(panel);
            box->insertWidget(box->indexOf(after) + 1, m_button);
        }
    }
}

void SpellCommands::setPageOpen(bool open)
{
    m_action->setEnabled(open);
}

QString SpellCommands::dictionaryName(int language)
{
    const QStringList names = GeneralSettingsDialog::languages();
    if (language < 0 || language >= names.size())
        return QString();
    return names.at(language) + QStringLiteral(".dct");
}

SpellDialogStyle SpellCommands::dialogStyle(int stored)
{
    switch (stored) {
    case int(SpellDialogStyle::WordPerfect):
        return SpellDialogStyle::WordPerfect;
    case int(SpellDialogStyle::WordPro96):
        return SpellDialogStyle::WordPro96;
    default:
        return SpellDialogStyle::MSWord;
    }
}

SpellCommands::DictionaryChoice SpellCommands::chooseDictionary(const SpellingSettings &settings,
                                                                const HunspellLanguages &installed,
                                                                const QString &programDirectory)
{
    if (!settings.HunspellDictionary.isEmpty()) {
        if (auto language = installed.find(settings.HunspellDictionary)) {
            const QString name = HunspellCache::fileName(language->name);
            return { HunspellCache(programDirectory).folder(), name, std::move(language) };
        }
    }
    QString path = programDirectory;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return { path, dictionaryName(settings.Language), std::nullopt };
}

void SpellCommands::applySettings()
{
    applyChoice(chooseDictionary(m_settings->Spelling, HunspellLanguages(), m_programDirectory));
}

void SpellCommands::applyChoice(const DictionaryChoice &choice)
{
    const SpellingSettings &s = m_settings->Spelling;
    m_checker.setDictionaryPath(choice.path);
    m_checker.setDictionaryName(choice.name);
    // One user word list whatever the language, though built dictionaries
    // live in a folder of their own.
    m_checker.setUserDictionary(QDir(m_programDirectory).filePath(QStringLiteral("USERDCT.DCT")));
    m_checker.setSuggestions(s.SuggestCount);
    m_checker.setConfirmAdd(s.AutoAdd);
    m_checker.setSupportHtml(s.SkipHTML);
    m_checker.setDialogStyle(dialogStyle(s.DialogStyle));
}

bool SpellCommands::buildDictionary(const HunspellLanguages::Language &language)
{
    const QScopedValueRollback building(m_building, true);
    QProgressDialog progress(HunspellCache::buildingText(language), QStringLiteral("Cancel"), 0,
                             100, m_window);
    progress.setObjectName(QStringLiteral("BuildDictionary"));
    progress.setWindowTitle(QStringLiteral("Spell Checker"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    progress.setValue(0);

    auto cancelled = std::make_shared<std::atomic_bool>(false);
    connect(&progress, &QProgressDialog::canceled, this, [cancelled] { *cancelled = true; });
    auto outcome = std::make_shared<Result>(Result::success());
    const HunspellCache cache(m_programDirectory);
    QProgressDialog *shown = &progress; // outlives the work: the loop below waits for it
    QEventLoop loop;
    m_build->start(
        [cache, language, outcome, cancelled, shown] {
            *outcome = cache.build(language, [cancelled, shown](int percent) {
                // Writing the file comes after the last report: full only when done.
                QMetaObject::invokeMethod(
                    shown, [shown, percent] { shown->setValue(std::min(percent, 99)); },
                    Qt::QueuedConnection);
                return !*cancelled;
            });
        },
        [&loop] { loop.quit(); }, [cancelled] { *cancelled = true; });
    loop.exec();
    const bool cancelledLate = *cancelled;
    progress.close(); // says "canceled" too
    if (!*outcome) {
        m_prompter->error(outcome->error());
        return false;
    }
    m_checker.closeDictionary(); // it may hold the file that was replaced
    // Cancel pressed after the last report: the dictionary is kept, the check is not wanted.
    return !cancelledLate;
}

void SpellCommands::SpellCheckClick()
{
    if (m_checker.running() || m_building)
        return;
    EditorControl *editor = m_editCommands->targetEditor();
    const DictionaryChoice choice
        = chooseDictionary(m_settings->Spelling, HunspellLanguages(), m_programDirectory);
    if (choice.installed && !HunspellCache(m_programDirectory).isFresh(*choice.installed)
        && !buildDictionary(*choice.installed))
        return;
    applyChoice(choice);
    const QString before = editor->GetTextBuffer();
    m_checker.check(*editor);
    editor->setFocus();
    // Replacements made before a Cancel stay, so they are shown whatever the outcome.
    if (editor == m_webPage && editor->GetTextBuffer() != before)
        Q_EMIT refreshPreview();
}

} // namespace Tarnwick
