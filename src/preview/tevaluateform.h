// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preview/pagedetails.h"

#include <QDialog>

#include <functional>

class QLabel;
class QListWidget;
class QUrl;

namespace Tarnwick {

class EditorControl;
class Prompter;

// "Web Page Details": the page under edit checked each time the dialog is
// activated. The lists show what PageDetails found; a double click on a
// detail line puts the editor's caret on its reference, one on a link hands
// it to the system's browser or mail program.
class TEvaluateForm final : public QDialog
{
    Q_OBJECT

public:
    // pagePath: the file of the page under edit; relative references
    // resolve in its directory.
    TEvaluateForm(EditorControl *editor, Prompter *prompter, std::function<QString()> pagePath,
                  QWidget *parent = nullptr);

    // Opens an address in the program the system has for it; tests replace it.
    void setUrlOpener(std::function<bool(const QUrl &)> opener);

    // Checks the editor's text now; neither caret, selection nor scroll moves.
    void Evaluate();
    const PageDetailsReport &report() const { return m_report; }

    // A click on an entry shows it in full above the lists and deselects the
    // other lists.
    void FilesFoundClick(QListWidget *list);
    // The selected entry of a link list: an address after "mailto:" to the
    // mail program, anything else to the browser.
    void LinksDblClick(QListWidget *list);
    // The caret to the reference of the selected detail line; closes.
    void WebDetails1DblClick();

    // The address a link entry stands for, relative ones below the page's directory.
    static QUrl linkAddress(const QString &entry, const QString &pagePath);

    static QString mailProgramMissing();
    static QString browserMissing();
    static QString linksHint();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QListWidget *addList(const char *name);
    void fill(QListWidget *list, const QStringList &entries);

    EditorControl *m_editor;
    Prompter *m_prompter;
    std::function<QString()> m_pagePath;
    std::function<bool(const QUrl &)> m_openUrl;
    PageDetailsReport m_report;
    bool m_justShown = false; // the activation that follows showing evaluates nothing new

    QLabel *m_header = nullptr;
    QListWidget *m_filesFound = nullptr;
    QListWidget *m_filesMissing = nullptr;
    QListWidget *m_links = nullptr;
    QListWidget *m_locatedLinks = nullptr;
    QListWidget *m_pageMarkers = nullptr;
    QListWidget *m_missingPages = nullptr;
    QListWidget *m_broken = nullptr;
    QListWidget *m_webDetails = nullptr;
    QList<QListWidget *> m_lists;
};

} // namespace Tarnwick
