// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/tsearchform.h"

#include "platform/prompter.h"
#include "platform/volumes.h"
#include "project/filesearch.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace Tarnwick {

TSearchForm::TSearchForm(Prompter *prompter, QWidget *parent)
    : TSearchForm(prompter, Volumes::browsable(), parent)
{
}

TSearchForm::TSearchForm(Prompter *prompter, const QStringList &volumes, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TSearchForm"));
    setWindowTitle(QStringLiteral("Search "));

    m_additionalBrowser = new QLineEdit(this);
    m_additionalBrowser->setObjectName(QStringLiteral("AdditionalBrowser"));
    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("DriveComboBox1"));
    for (const QString &root : volumes)
        m_drives->addItem(root, root);
    // The system's own volume, as drive C was on the old system.
    m_drives->setCurrentIndex(std::max(0, m_drives->findData(QDir::rootPath())));
    m_results = new QListWidget(this);
    m_results->setObjectName(QStringLiteral("ListBox1"));

    m_search = new QPushButton(QStringLiteral("&Search"), this);
    m_search->setObjectName(QStringLiteral("Search"));
    m_stop = new QPushButton(QStringLiteral("Stop"), this);
    m_stop->setObjectName(QStringLiteral("Stop"));
    m_stop->setEnabled(false);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_cancel = buttons->button(QDialogButtonBox::Cancel);
    buttons->addButton(m_search, QDialogButtonBox::ActionRole);
    buttons->addButton(m_stop, QDialogButtonBox::ActionRole);
    m_search->setAutoDefault(false);
    m_stop->setAutoDefault(false);

    connect(m_search, &QPushButton::clicked, this, &TSearchForm::SearchClick);
    connect(m_stop, &QPushButton::clicked, this, [this] { m_stopRequested = true; });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TSearchForm::reject);
    connect(m_results, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Additional Browser Name:"), m_additionalBrowser);
    form->addRow(QStringLiteral("Drive to search:"), m_drives);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_results, 1);
    layout->addWidget(buttons);
    resize(520, 360);
}

QStringList TSearchForm::masks(const QString &additionalBrowser)
{
    QStringList masks { QStringLiteral("netscape.exe"), QStringLiteral("ie*.exe") };
    // The browsers Linux systems usually have, under their program names.
    for (const char *name : { "firefox",       "firefox-esr",
                              "chromium",      "chromium-browser",
                              "google-chrome", "google-chrome-stable",
                              "epiphany",      "epiphany-browser",
                              "konqueror",     "falkon",
                              "opera",         "vivaldi",
                              "brave-browser", "midori",
                              "qutebrowser",   "seamonkey",
                              "lynx",          "links",
                              "elinks",        "w3m" })
        masks.append(QString::fromLatin1(name));
    if (!additionalBrowser.trimmed().isEmpty())
        masks.append(additionalBrowser.trimmed());
    return masks;
}

QString TSearchForm::noFilesFound()
{
    return QStringLiteral("No files matching the mask were found!");
}

QString TSearchForm::selectedEntry() const
{
    const QListWidgetItem *item = m_results->currentItem();
    return m_results->count() > 0 && item && item->isSelected() ? item->text() : QString();
}

void TSearchForm::setSearching(bool searching)
{
    m_searching = searching;
    m_search->setEnabled(!searching);
    m_ok->setEnabled(!searching);
    m_additionalBrowser->setEnabled(!searching);
    m_drives->setEnabled(!searching);
    m_stop->setEnabled(searching);
}

bool TSearchForm::LogFiles(const QString &directory, const QString &fileName)
{
    m_results->addItem(QDir(directory).filePath(fileName));
    m_results->repaint();
    return goOn();
}

// The walk runs on the window's own thread: now and then it lets clicks
// (on "Stop") and painting through.
bool TSearchForm::goOn()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - m_lastEvents >= 50) {
        m_lastEvents = now;
        QCoreApplication::processEvents();
    }
    return !m_stopRequested;
}

void TSearchForm::SearchClick()
{
    if (m_searching)
        return;
    m_results->clear();
    m_stopRequested = false;
    setSearching(true);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    FileSearch::SearchFiles(
        m_drives->currentData().toString(), masks(m_additionalBrowser->text()), true,
        [this](const QString &directory, const QFileInfo &entry) {
            // A program the user can start, not a document of that name.
            if (!entry.isFile() || !entry.isExecutable())
                return goOn();
            return LogFiles(directory, entry.fileName());
        },
        [this](const QString &) { return goOn(); });
    QGuiApplication::restoreOverrideCursor();
    setSearching(false);
    // After "Stop" the user knows why the list is short.
    if (m_results->count() == 0 && !m_stopRequested)
        m_prompter->information(noFilesFound());
}

void TSearchForm::reject()
{
    // Closing during a walk first ends the walk.
    if (m_searching) {
        m_stopRequested = true;
        return;
    }
    QDialog::reject();
}

} // namespace Tarnwick
