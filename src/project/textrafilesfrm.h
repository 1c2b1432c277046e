// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/orphansearch.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;

namespace Tarnwick {

class Prompter;
class Renderer;

// "Orphan Files": the project's pages, the files they refer to and, after
// "Search", the files of the project directory that nothing uses. A click on
// a name shows that file beside the lists.
class TExtraFilesFrm final : public QDialog
{
    Q_OBJECT

public:
    struct Extensions
    {
        QString pages; // comma-separated, as the settings keep them
        QString graphics;
    };

    // pages: the file names of the project's pages, without its settings file.
    TExtraFilesFrm(const QString &projectDirectory, const QStringList &pages,
                   OrphanSearch::ReferenceReader reader, Prompter *prompter,
                   const Extensions &extensions, QWidget *parent = nullptr);
    ~TExtraFilesFrm() override;

    // Open pages keep their unsaved text in their backup files, which never
    // go to the trash.
    void setOpenPageCheck(std::function<bool(const QString &pagePath)> isOpen);

    void SearchBtnClick();
    // Moves the chosen orphans to the trash after asking; never the settings
    // file or the backup of an open page.
    void TrashBtnClick();
    // Shows the file of that name in the project directory: as an image,
    // a page or plain text, by its extension.
    void DisplayTheFile(const QString &name);
    Renderer *viewer() const { return m_viewer; }

    enum class Display { Image, Page, PlainText };
    static Display displayFor(const QString &name, const Extensions &extensions);

private:
    void listClicked(QListWidget *list);
    void updateTrashButton();
    // Why a file must stay, empty when it may go.
    QString keepReason(const QString &name) const;
    void setStatus(const QString &text);

    QString m_directory;
    Prompter *m_prompter;
    Extensions m_extensions;
    OrphanSearch m_search;

    QListWidget *m_filesInUse = nullptr;
    QListWidget *m_supportingFiles = nullptr;
    QListWidget *m_fileList = nullptr;
    QLabel *m_searchStatus = nullptr;
    QPushButton *m_searchBtn = nullptr;
    QPushButton *m_closeBtn = nullptr;
    QPushButton *m_trashBtn = nullptr;
    std::function<bool(const QString &)> m_isOpenPage;
    bool m_searched = false;
    Renderer *m_viewer = nullptr;
};

} // namespace Tarnwick
