// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/tqftpform.h"

#include "platform/prompter.h"
#include "publish/ftptransport.h"
#include "publish/publishchanges.h"
#include "publish/sftptransport.h"
#include "publish/tftpclient.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <cmath>

namespace Tarnwick {

namespace {

QWidget *page(QStackedWidget *notebook, const char *name)
{
    auto *w = new QWidget(notebook);
    w->setObjectName(QLatin1String(name));
    notebook->addWidget(w);
    return w;
}

QLabel *textLines(const QStringList &lines, QWidget *parent)
{
    auto *label = new QLabel(lines.join(QLatin1Char('\n')), parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

int percent(qint64 part, qint64 whole)
{
    if (whole <= 0)
        return 0;
    return int(std::lround(double(part) / double(whole) * 100.0));
}

// Sorted like the list boxes: case aside first.
void fillSorted(QListWidget *list, const QList<PublishFile> &files)
{
    list->clear();
    for (const PublishFile &f : files) {
        auto *item = new QListWidgetItem(f.remoteName, list);
        item->setSelected(true);
    }
}

} // namespace

TQFTPForm::TQFTPForm(const Request &request, Prompter *prompter, QWidget *parent)
    : QDialog(parent)
    , m_request(request)
    , m_prompter(prompter)
    , m_client(new TFtpClient(this))
    , m_ftp(new FtpTransport(m_client, prompter, this))
    , m_transport(m_ftp)
    , m_sender(new PublishSender(m_transport, this))
{
    setObjectName(QStringLiteral("QFTPForm"));
    setWindowTitle(QStringLiteral("FTP Vaza Ded"));
    m_client->setObjectName(QStringLiteral("FtpClient1"));
    m_client->SetTimeout(60);
    m_client->SetMultiThreaded(false);
    m_client->SetPort(QStringLiteral("ftp"));
    m_client->SetDisplayFlag(true);
    m_client->SetBinary(true);
    m_client->SetShareMode(TFtpShareMode::ftpShareExclusive);

    m_notebook = new QStackedWidget(this);
    m_notebook->setObjectName(QStringLiteral("FTPNotebook"));

    // "Default"
    m_default = page(m_notebook, "Default");
    m_host = new QLineEdit(m_default);
    m_host->setObjectName(QStringLiteral("AHost"));
    m_directory = new QLineEdit(m_default);
    m_directory->setObjectName(QStringLiteral("FTPDirectory"));
    m_user = new QLineEdit(m_default);
    m_user->setObjectName(QStringLiteral("AUserID"));
    m_password = new QLineEdit(m_default);
    m_password->setObjectName(QStringLiteral("APassword"));
    m_password->setEchoMode(QLineEdit::Password);
    m_useTls = new QCheckBox(QStringLiteral("Use FTPS (explicit TLS)"), m_default);
    m_useTls->setObjectName(QStringLiteral("UseFTPS"));
    m_useSftp = new QCheckBox(QStringLiteral("Use SFTP (SSH)"), m_default);
    m_useSftp->setObjectName(QStringLiteral("UseSFTP"));
    m_keyFile = new QLineEdit(m_default);
    m_keyFile->setObjectName(QStringLiteral("SSHKeyFile"));
    m_keyFile->setPlaceholderText(QStringLiteral("SSH agent, then the keys in ~/.ssh"));
    m_connectBtn = new QPushButton(QStringLiteral("&Connect"), m_default);
    m_connectBtn->setObjectName(QStringLiteral("ConnectBtn"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Website URL: "), m_host);
    form->addRow(QStringLiteral("Default Web Directory: "), m_directory);
    form->addRow(QStringLiteral("User Name: "), m_user);
    form->addRow(QStringLiteral("Password: "), m_password);
    form->addRow(QString(), m_useTls);
    form->addRow(QString(), m_useSftp);
    form->addRow(QStringLiteral("SSH key file: "), m_keyFile);
    auto *defaultLayout = new QVBoxLayout(m_default);
    defaultLayout->addLayout(form);
    defaultLayout->addWidget(m_connectBtn, 0, Qt::AlignLeft);
    defaultLayout->addStretch();

    // "Pages"
    m_pagesPage = page(m_notebook, "Pages");
    m_filesToSend = new QListWidget(m_pagesPage);
    m_filesToSend->setObjectName(QStringLiteral("FilesToSend"));
    m_filesToSend->setSelectionMode(QAbstractItemView::MultiSelection);
    auto *pagesLayout = new QHBoxLayout(m_pagesPage);
    auto *pagesLeft = new QVBoxLayout;
    pagesLeft->addWidget(new QLabel(QStringLiteral("Page(s) to send: "), m_pagesPage));
    pagesLeft->addWidget(m_filesToSend);
    pagesLayout->addLayout(pagesLeft, 2);
    pagesLayout->addWidget(textLines({ QStringLiteral("All items that are selected "),
                                       QStringLiteral("will be sent.  Unselect the "),
                                       QStringLiteral("items that you would not "),
                                       QStringLiteral("like to send at this time.") },
                                     m_pagesPage),
                           1);

    // "images"
    m_images = page(m_notebook, "images");
    m_sendImages = new QCheckBox(QStringLiteral("Send SRC && HREF references?"), m_images);
    m_sendImages->setObjectName(QStringLiteral("SendImages"));
    m_imagesToSend = new QListWidget(m_images);
    m_imagesToSend->setObjectName(QStringLiteral("ImagesToSend"));
    m_imagesToSend->setSelectionMode(QAbstractItemView::MultiSelection);
    m_dryRunBtn = new QPushButton(QStringLiteral("Show what will be sent"), m_images);
    m_dryRunBtn->setObjectName(QStringLiteral("DryRunBtn"));
    m_sendAll = new QCheckBox(QStringLiteral("Send all files, changed or not"), m_images);
    m_sendAll->setObjectName(QStringLiteral("SendAllFiles"));
    m_sendAll->setToolTip(QStringLiteral(
        "Without it, files that are as they were at the last send to this site are left out."));
    auto *imagesLayout = new QHBoxLayout(m_images);
    auto *imagesLeft = new QVBoxLayout;
    imagesLeft->addWidget(m_sendImages);
    imagesLeft->addWidget(m_imagesToSend);
    imagesLeft->addWidget(m_sendAll);
    imagesLeft->addWidget(m_dryRunBtn, 0, Qt::AlignLeft);
    imagesLayout->addLayout(imagesLeft, 2);
    imagesLayout->addWidget(
        textLines({ QStringLiteral("Click the 'Send' "), QStringLiteral("checkbox to search all "),
                    QStringLiteral("of the selected pages "), QStringLiteral("for SRC and HREF "),
                    QStringLiteral("files that are located "),
                    QStringLiteral("on the drive to include "),
                    QStringLiteral("in the file transfer to "), QStringLiteral("your website.") },
                  m_images),
        1);

    // "xmit"
    m_xmit = page(m_notebook, "xmit");
    m_statusPanel = new QFrame(m_xmit);
    m_statusPanel->setObjectName(QStringLiteral("StatusPanel"));
    m_statusPanel->setFrameShape(QFrame::StyledPanel);
    m_gauge1 = new QProgressBar(m_statusPanel);
    m_gauge1->setObjectName(QStringLiteral("Gauge1"));
    m_gauge1->setRange(0, 100);
    m_gauge1->setValue(0);
    m_sendingFile = new QLabel(m_statusPanel);
    m_sendingFile->setObjectName(QStringLiteral("SendingFile"));
    m_totalProcessed = new QProgressBar(m_statusPanel);
    m_totalProcessed->setObjectName(QStringLiteral("TotalProcessed"));
    m_totalProcessed->setRange(0, 100);
    m_totalProcessed->setValue(0);
    m_totBytes = new QLabel(m_statusPanel);
    m_totBytes->setObjectName(QStringLiteral("TotBytes"));
    auto *panelLayout = new QVBoxLayout(m_statusPanel);
    panelLayout->addWidget(m_sendingFile);
    panelLayout->addWidget(m_gauge1);
    panelLayout->addWidget(new QLabel(QStringLiteral("Total progress: "), m_statusPanel));
    panelLayout->addWidget(m_totalProcessed);
    panelLayout->addWidget(m_totBytes);
    m_cancelSend = new QPushButton(QStringLiteral("&Cancel"), m_xmit);
    m_cancelSend->setObjectName(QStringLiteral("CancelSend"));
    m_cancelSend->setEnabled(false);
    m_summary = new QPlainTextEdit(m_xmit);
    m_summary->setObjectName(QStringLiteral("SendSummary"));
    m_summary->setReadOnly(true);
    m_summary->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_summary->hide();
    auto *xmitLayout = new QVBoxLayout(m_xmit);
    xmitLayout->addWidget(m_statusPanel);
    xmitLayout->addWidget(m_summary, 1);
    xmitLayout->addWidget(m_cancelSend, 0, Qt::AlignLeft);
    xmitLayout->addStretch();

    // "LogFile"
    m_logPage = page(m_notebook, "LogFile");
    m_log = new QPlainTextEdit(m_logPage);
    m_log->setObjectName(QStringLiteral("FTPLogMemo"));
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_log->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_log->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *logLayout = new QVBoxLayout(m_logPage);
    logLayout->addWidget(m_log);

    m_viewLog = new QPushButton(QStringLiteral("&View Log"), this);
    m_viewLog->setObjectName(QStringLiteral("ViewLog"));
    m_viewLog->setEnabled(false);
    m_nextPageBtn = new QPushButton(QStringLiteral("Next"), this);
    m_nextPageBtn->setObjectName(QStringLiteral("NextPageBtn"));
    m_nextPageBtn->hide();
    m_sendFileBtn = new QPushButton(QStringLiteral("&Send"), this);
    m_sendFileBtn->setObjectName(QStringLiteral("SendFileBtn"));
    m_sendFileBtn->setDefault(true);
    m_sendFileBtn->hide();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_viewLog);
    buttons->addStretch();
    buttons->addWidget(m_nextPageBtn);
    buttons->addWidget(m_sendFileBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_notebook, 1);
    layout->addLayout(buttons);
    resize(520, 360);

    connect(m_connectBtn, &QPushButton::clicked, this, &TQFTPForm::ConnectBtnClick);
    connect(m_nextPageBtn, &QPushButton::clicked, this, &TQFTPForm::NextPageBtnClick);
    connect(m_sendImages, &QCheckBox::toggled, this, [this](bool checked) {
        SendImagesClick();
        if (m_request.rememberSendReferences)
            m_request.rememberSendReferences(checked);
    });
    connect(m_sendFileBtn, &QPushButton::clicked, this, &TQFTPForm::SendFileBtnClick);
    connect(m_cancelSend, &QPushButton::clicked, this, &TQFTPForm::CancelSendClick);
    connect(m_viewLog, &QPushButton::clicked, this, &TQFTPForm::ViewLogClick);
    connect(m_dryRunBtn, &QPushButton::clicked, this, &TQFTPForm::DryRunClick);
    connectTransport(m_ftp);
    // One kind at a time; the key file is SFTP's only.
    connect(m_useTls, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_useSftp->setChecked(false);
    });
    connect(m_useSftp, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_useTls->setChecked(false);
        m_keyFile->setEnabled(on);
    });
    connect(
        m_client, &TCustomFtpCli::OnCertificateQuestion, this,
        [this](const QString &host, const QByteArray &sha256, const QStringList &errors,
               bool &accept) {
            accept = m_prompter->message(Prompter::Kind::Warning,
                                         certificateQuestion(host, sha256, errors),
                                         Prompter::Buttons::YesNo)
                == Prompter::Answer::Yes;
        },
        Qt::DirectConnection);
    connect(m_sender, &PublishSender::fileStarted, this, [this](int, const PublishFile &file) {
        m_sendingFile->setText(file.remoteName);
        m_currentSize = file.size;
        m_gauge1->setValue(0);
    });
    connect(m_sender, &PublishSender::fileFinished, this, [this](int, bool, qint64 done) {
        m_gauge1->setValue(0);
        m_totalProcessed->setValue(percent(done, m_totalBytes));
    });
}

TQFTPForm::~TQFTPForm() = default;

void TQFTPForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TQFTPForm::FormShow()
{
    m_stop = false;
    m_host->setText(m_request.site.address);
    m_directory->setText(m_request.site.directory);
    m_user->setText(m_request.site.user);
    m_password->setText(m_request.site.password);
    m_useTls->setChecked(PublishConnector::usesTls(m_request.site));
    m_useSftp->setChecked(PublishConnector::usesSftp(m_request.site));
    m_keyFile->setText(m_request.site.keyFile);
    m_keyFile->setEnabled(m_useSftp->isChecked());
    {
        const QSignalBlocker quiet(m_sendImages);
        m_sendImages->setChecked(m_request.sendReferences);
    }
    PublishPlan::Request plan;
    plan.projectDir = m_request.projectDir;
    plan.pages = m_request.pages;
    plan.withReferences = false;
    m_pagePlan = PublishPlan::build(plan);
    fillSorted(m_filesToSend, m_pagePlan.pages);
    m_pageBytes = PublishPlan::bytes(m_pagePlan.pages);
    showPage(m_default);
    m_client->SetTimeout(m_request.timeOutMs / 1000);
}

void TQFTPForm::showPage(QWidget *page)
{
    m_notebook->setCurrentWidget(page);
}

void TQFTPForm::setBusy(bool busy)
{
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TQFTPForm::ConnectBtnClick()
{
    if (m_busy)
        return;
    PublishConnector::Site site;
    site.address = m_host->text().trimmed();
    site.directory = m_directory->text().trimmed();
    site.user = m_user->text();
    site.password = m_password->text();
    site.tls = m_useTls->isChecked();
    site.sftp = m_useSftp->isChecked();
    site.keyFile = m_keyFile->text().trimmed();
    // SFTP may sign in with a key instead of the password.
    const bool sftp = PublishConnector::usesSftp(site);
    if (site.address.isEmpty() || site.user.isEmpty() || (!sftp && site.password.isEmpty())) {
        m_prompter->warning(PublishConnector::notEnoughData());
        return;
    }
    // An "ftps://" or "sftp://" address typed here shows how the log-in goes.
    if (sftp)
        m_useSftp->setChecked(true);
    else if (PublishConnector::usesTls(site))
        m_useTls->setChecked(true);
    useTransport(sftp ? transportSftp() : m_ftp);
    m_stop = false;
    setBusy(true);
    m_site = site;
    const PublishConnector::Outcome outcome = m_transport->open(site);
    m_viewLog->setEnabled(true);
    if (outcome.status != PublishConnector::Status::Ready) {
        m_transport->close();
        setBusy(false);
        if (outcome.status == PublishConnector::Status::Failed)
            m_prompter->message(outcome.error == PublishConnector::cannotCreate()
                                    ? Prompter::Kind::Information
                                    : Prompter::Kind::Warning,
                                outcome.error);
        showPage(m_default);
        if (m_closeAfterBusy)
            reject();
        return;
    }
    setBusy(false);
    if (m_closeAfterBusy) {
        reject();
        return;
    }
    m_connectBtn->setEnabled(false);
    if (m_filesToSend->count() == 1) {
        m_nextPageBtn->hide();
        m_sendFileBtn->show();
        showImagesPage();
    } else {
        showPage(m_pagesPage);
        m_nextPageBtn->show();
    }
}

QList<PublishFile> TQFTPForm::selectedOf(const QListWidget *list,
                                         const QList<PublishFile> &files) const
{
    QList<PublishFile> selected;
    for (int i = 0; i < list->count() && i < files.size(); ++i) {
        if (list->item(i)->isSelected())
            selected.append(files.at(i));
    }
    return selected;
}

void TQFTPForm::NextPageBtnClick()
{
    m_pageBytes = PublishPlan::bytes(selectedOf(m_filesToSend, m_pagePlan.pages));
    m_nextPageBtn->hide();
    m_sendFileBtn->show();
    showImagesPage();
}

void TQFTPForm::showImagesPage()
{
    showPage(m_images);
    if (m_sendImages->isChecked())
        SendImagesClick();
}

void TQFTPForm::SendImagesClick()
{
    if (m_sendImages->isChecked() && !m_referencesCollected) {
        m_referencesCollected = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        PublishPlan::Request plan;
        plan.projectDir = m_request.projectDir;
        for (const PublishFile &f : selectedOf(m_filesToSend, m_pagePlan.pages))
            plan.pages.append(f.remoteName);
        plan.withReferences = true;
        plan.smartAscii = m_request.smartAscii;
        plan.extensions = m_request.extensions;
        plan.scanner = m_request.scanner;
        m_referencePlan = PublishPlan::build(plan);
        fillSorted(m_imagesToSend, m_referencePlan.references);
        m_referenceBytes = PublishPlan::bytes(m_referencePlan.references);
        QApplication::restoreOverrideCursor();
    }
    if (m_imagesToSend->count() > 0)
        m_imagesToSend->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

QList<PublishFile> TQFTPForm::filesToSend() const
{
    QList<PublishFile> files = selectedOf(m_filesToSend, m_pagePlan.pages);
    if (m_sendImages->isChecked())
        files += selectedOf(m_imagesToSend, m_referencePlan.references);
    return files;
}

QString TQFTPForm::dryRunText()
{
    const bool references = m_sendImages->isChecked();
    QList<PublishSkip> skipped = m_pagePlan.skipped;
    QList<PublishSkip> missing;
    if (references) {
        skipped += m_referencePlan.skipped;
        missing = m_referencePlan.missing;
    }
    if (std::optional<PublishManifest> record = sendRecord()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const PublishChanges changes = decideChanges(filesToSend(), *record);
        QApplication::restoreOverrideCursor();
        return changes.dryRunText(skipped, missing, m_directory->text().trimmed());
    }
    return PublishPlan::dryRunText(filesToSend(), skipped, missing, m_directory->text().trimmed());
}

std::optional<PublishManifest> TQFTPForm::sendRecord() const
{
    if (m_request.programDir.isEmpty())
        return std::nullopt;
    const std::optional<PublishDestination> destination = PublishConnector::destinationOf(m_site);
    if (!destination)
        return std::nullopt;
    return PublishManifest::load(PublishManifest::pathIn(m_request.programDir), *destination);
}

PublishChanges TQFTPForm::decideChanges(const QList<PublishFile> &files,
                                        const PublishManifest &record)
{
    if (!record.note().isEmpty())
        FtpClient1Display(QStringLiteral("Record of sent files not used: ") + record.note());
    const PublishChanges::RemoteSize remoteSize = [this](const PublishFile &file) {
        return m_transport->connected() ? m_transport->remoteSize(file) : std::nullopt;
    };
    return PublishChanges::decide(files, record, remoteSize, m_sendAll->isChecked());
}

void TQFTPForm::DryRunClick()
{
    auto *view = new QDialog(this);
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->setObjectName(QStringLiteral("DryRunView"));
    view->setWindowTitle(QStringLiteral("What will be sent"));
    auto *text = new QPlainTextEdit(dryRunText(), view);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Close, view);
    connect(box, &QDialogButtonBox::rejected, view, &QDialog::reject);
    auto *layout = new QVBoxLayout(view);
    layout->addWidget(text);
    layout->addWidget(box);
    view->resize(640, 360);
    view->show();
}

QString TQFTPForm::thousands(qint64 value)
{
    // "#,###": 0 shows no digits at all.
    return value == 0 ? QString() : QLocale(QLocale::English).toString(value);
}

void TQFTPForm::SendFileBtnClick()
{
    if (m_busy || m_sendDone)
        return;
    if (m_request.checkPages) {
        QStringList pages;
        for (const PublishFile &f : filesToSend()) {
            if (f.kind == PublishFile::Kind::Page)
                pages << f.localPath;
        }
        if (!m_request.checkPages(pages)) {
            reject();
            return;
        }
    }
    m_stop = false;
    m_cancelSend->setEnabled(true);
    m_totalProcessed->setValue(0);
    showPage(m_xmit);
    m_sendFileBtn->setEnabled(false);
    m_totalBytes = m_pageBytes + (m_sendImages->isChecked() ? m_referenceBytes : 0);
    m_totBytes->setText(QStringLiteral("Total bytes: ") + thousands(m_totalBytes));
    QList<PublishFile> files = filesToSend();
    m_busy = true;
    std::optional<PublishManifest> record = sendRecord();
    m_changes.reset();
    if (record) {
        // Only what is new or changed since the last send to this place.
        m_sendingFile->setText(QStringLiteral("Looking for changed files..."));
        m_changes = decideChanges(files, *record);
        files = m_changes->filesToSend();
        m_sendingFile->clear();
        m_totalBytes = PublishPlan::bytes(files);
        m_totBytes->setText(QStringLiteral("Total bytes: ") + thousands(m_totalBytes));
    }
    m_results = m_stop ? QList<PublishSender::FileResult>() : m_sender->send(files);
    if (record && !m_results.isEmpty()) {
        m_changes->update(*record, m_results);
        if (const Result saved = record->save(); !saved)
            m_recordError = saved.error();
    }
    m_busy = false;
    m_gauge1->setValue(0);
    finishSend();
}

QString TQFTPForm::summary() const
{
    const bool references = m_sendImages->isChecked();
    QString text
        = PublishSender::summaryText(m_results,
                                     references ? m_referencePlan.skipped : QList<PublishSkip>(),
                                     references ? m_referencePlan.missing : QList<PublishSkip>());
    if (m_changes && !m_changes->unchanged.isEmpty())
        text += QLatin1Char('\n') + unchangedText(m_changes->unchanged.size());
    if (!m_recordError.isEmpty())
        text += QStringLiteral("\nThe record of what was sent is not kept: ") + m_recordError;
    return text;
}

QString TQFTPForm::unchangedText(qsizetype count)
{
    return QStringLiteral("%1 files unchanged since the last send, not sent again.").arg(count);
}

void TQFTPForm::finishSend()
{
    m_sendDone = true;
    // A send that found nothing to send says so rather than closing.
    const bool complete = PublishSender::allSent(m_results) && !m_sender->cancelled()
        && (!m_sendImages->isChecked() || m_referencePlan.missing.isEmpty())
        && !(m_results.isEmpty() && m_changes) && m_recordError.isEmpty();
    const QString text = summary();
    for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        m_log->appendPlainText(QStringLiteral("! ") + line);
    if (complete) {
        m_statusPanel->hide();
        accept();
        return;
    }
    // Never closes as if everything arrived: the user reads what did not.
    m_summary->setPlainText(text);
    m_summary->show();
    m_cancelSend->setText(QStringLiteral("&Close"));
    m_cancelSend->setEnabled(true);
    if (m_closeAfterBusy)
        reject();
}

void TQFTPForm::CancelSendClick()
{
    if (m_sendDone && !m_busy) {
        reject();
        return;
    }
    m_stop = true;
    m_sender->cancel();
}

void TQFTPForm::ViewLogClick()
{
    if (m_notebook->currentWidget() != m_logPage) {
        m_pageBeforeLog = m_notebook->currentWidget();
        showPage(m_logPage);
        m_viewLog->setText(QStringLiteral("&Hide Log"));
    } else {
        showPage(m_pageBeforeLog ? m_pageBeforeLog : m_default);
        m_viewLog->setText(QStringLiteral("&View Log"));
    }
}

QString TQFTPForm::certificateQuestion(const QString &host, const QByteArray &sha256,
                                       const QStringList &errors)
{
    return QStringLiteral(
               "The certificate of %1 is not trusted:\n%2\n\nSHA-256 fingerprint:\n%3\n\n"
               "Accept this certificate for this connection only?")
        .arg(host, errors.join(QLatin1Char('\n')),
             QString::fromLatin1(sha256.toHex(':').toUpper()));
}

void TQFTPForm::FtpClient1Display(const QString &message)
{
    m_log->appendPlainText(message);
}

void TQFTPForm::FtpClient1Progress(qint64 count)
{
    if (count != 0 && count <= m_currentSize)
        m_gauge1->setValue(percent(count, m_currentSize));
}

void TQFTPForm::FormClose()
{
    if (!m_transport->connected())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_transport->close();
    QApplication::restoreOverrideCursor();
}

PublishTransport *TQFTPForm::transportSftp()
{
    if (!m_sftp) {
        const QString own = m_request.programDir.isEmpty()
            ? QString()
            : SftpTransport::ownHostsFile(m_request.programDir);
        m_sftp = new SftpTransport(m_prompter, SftpTransport::userKnownHostsFile(), own, this);
        m_sftp->setObjectName(QStringLiteral("SftpClient1"));
        m_sftp->setTimeout(m_request.timeOutMs / 1000);
        connectTransport(m_sftp);
    }
    return m_sftp;
}

void TQFTPForm::useTransport(PublishTransport *transport)
{
    if (transport == m_transport)
        return;
    m_transport->close();
    m_transport = transport;
    m_sender->setTransport(transport);
}

void TQFTPForm::connectTransport(PublishTransport *transport)
{
    connect(transport, &PublishTransport::display, this, &TQFTPForm::FtpClient1Display);
    connect(transport, &PublishTransport::progress, this, &TQFTPForm::FtpClient1Progress);
}

void TQFTPForm::reject()
{
    // Closing while an operation waits acts as Cancel; the dialog goes once
    // the operation has ended.
    if (m_busy) {
        m_closeAfterBusy = true;
        m_stop = true;
        m_sender->cancel();
        return;
    }
    FormClose();
    QDialog::reject();
}

void TQFTPForm::accept()
{
    FormClose();
    QDialog::accept();
}

} // namespace Tarnwick
