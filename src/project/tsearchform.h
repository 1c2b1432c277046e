// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace Tarnwick {

class Prompter;

// "Search " looks through a whole volume for browser programs: the old
// program names, the usual browsers of this system and the name typed in
// "Additional Browser Name:". Only executable files are listed; "Stop" ends
// a long walk. OK hands the selected entry to the caller.
class TSearchForm final : public QDialog
{
    Q_OBJECT

public:
    // volumes: the roots the drive box offers; the system's root is chosen first.
    TSearchForm(Prompter *prompter, const QStringList &volumes, QWidget *parent = nullptr);
    TSearchForm(Prompter *prompter, QWidget *parent = nullptr);

    // The masks in the order they are looked for.
    static QStringList masks(const QString &additionalBrowser);
    static QString noFilesFound();

    void SearchClick();
    bool searching() const { return m_searching; }
    // The chosen file, empty when the list is empty or nothing is selected.
    QString selectedEntry() const;

protected:
    void reject() override;

private:
    bool LogFiles(const QString &directory, const QString &fileName);
    bool goOn();
    void setSearching(bool searching);

    Prompter *m_prompter;
    QLineEdit *m_additionalBrowser = nullptr;
    QComboBox *m_drives = nullptr;
    QListWidget *m_results = nullptr;
    QPushButton *m_search = nullptr;
    QPushButton *m_stop = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    bool m_searching = false;
    bool m_stopRequested = false;
    qint64 m_lastEvents = 0; // when the walk last let the window breathe, in ms
};

} // namespace Tarnwick
