// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "publish/publishchanges.h"
#include "publish/publishconnector.h"
#include "publish/publishplan.h"
#include "publish/publishsender.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace Tarnwick {

class FtpTransport;
class Prompter;
class PublishTransport;
class SftpTransport;
class TFtpClient;

// The "FTP Vaza Ded": sends one page, or the pages of a project, with the
// files they reference, to the project's site. Pages "Default" (connect),
// "Pages" (choice), "images" (references), "xmit" (progress) and "LogFile".
class TQFTPForm final : public QDialog
{
    Q_OBJECT

public:
    struct Request
    {
        QString projectDir;
        // The Tarnwick home: keeps the SSH host keys trusted here and the
        // record of what was sent where. Empty: neither is kept.
        QString programDir;
        QStringList pages; // the targets of the page entries to offer
        PublishConnector::Site site; // password in clear
        int timeOutMs = 60000; // 0: no limit
        QString smartAscii;
        QString extensions;
        ReferenceScanner scanner;
        // The state "Send SRC && HREF references?" starts in, and where the
        // user's choice goes, so that the next send starts from it.
        bool sendReferences = false;
        std::function<void(bool)> rememberSendReferences;
        // Checks the pages about to be sent (their local paths) before the
        // send starts; false stops the send and closes the dialog, so that
        // the user can review what was found. Unset: no check.
        std::function<bool(const QStringList &pages)> checkPages;
    };

    TQFTPForm(const Request &request, Prompter *prompter, QWidget *parent = nullptr);
    ~TQFTPForm() override;

    TFtpClient *FtpClient1() const { return m_client; }
    PublishSender *publishSender() const { return m_sender; }
    // What the last send left undelivered; empty before a send.
    QList<PublishSender::FileResult> results() const { return m_results; }
    QString summary() const;
    // The plan of the selected pages and, when ticked, the selected references.
    QList<PublishFile> filesToSend() const;
    // With a record of what was sent, what is unchanged is left out, and each
    // file says why it goes; asking the server about sizes needs the connection.
    QString dryRunText();
    static QString unchangedText(qsizetype count);

    void FormShow();
    void ConnectBtnClick();
    void NextPageBtnClick();
    void SendImagesClick();
    // Arriving on the "images" page: a box that starts ticked collects now,
    // from the pages chosen by then.
    void showImagesPage();
    void SendFileBtnClick();
    void CancelSendClick();
    void ViewLogClick();
    void DryRunClick();

    void accept() override;
    void reject() override;

    // The question about a certificate the system does not trust.
    static QString certificateQuestion(const QString &host, const QByteArray &sha256,
                                       const QStringList &errors);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FtpClient1Display(const QString &message);
    void FtpClient1Progress(qint64 count);
    void FormClose();
    void connectTransport(PublishTransport *transport);
    // The SFTP transport, made on first use.
    PublishTransport *transportSftp();
    void useTransport(PublishTransport *transport);
    // What was sent where, for the site connected to; nothing without a home.
    std::optional<PublishManifest> sendRecord() const;
    PublishChanges decideChanges(const QList<PublishFile> &files, const PublishManifest &record);
    void showPage(QWidget *page);
    void setBusy(bool busy);
    void finishSend();
    QList<PublishFile> selectedOf(const QListWidget *list, const QList<PublishFile> &files) const;
    static QString thousands(qint64 value);

    Request m_request;
    Prompter *m_prompter;
    TFtpClient *m_client;
    FtpTransport *m_ftp;
    SftpTransport *m_sftp = nullptr;
    PublishTransport *m_transport; // the one the connection was opened with
    PublishSender *m_sender;
    bool m_shown = false;
    bool m_busy = false;
    bool m_stop = false;
    bool m_closeAfterBusy = false;
    bool m_referencesCollected = false;
    bool m_sendDone = false;
    PublishPlan m_pagePlan;
    PublishPlan m_referencePlan;
    qint64 m_pageBytes = 0;
    qint64 m_referenceBytes = 0;
    qint64 m_totalBytes = 0;
    qint64 m_currentSize = 0;
    QList<PublishSender::FileResult> m_results;
    PublishConnector::Site m_site; // as connected to
    std::optional<PublishChanges> m_changes; // the last send's choice
    QString m_recordError;
    QWidget *m_pageBeforeLog = nullptr;

    QStackedWidget *m_notebook;
    QWidget *m_default, *m_pagesPage, *m_images, *m_xmit, *m_logPage;
    QLineEdit *m_host, *m_directory, *m_user, *m_password;
    QCheckBox *m_useTls, *m_useSftp;
    QLineEdit *m_keyFile;
    QPushButton *m_connectBtn;
    QListWidget *m_filesToSend;
    QCheckBox *m_sendImages;
    QListWidget *m_imagesToSend;
    QPushButton *m_dryRunBtn;
    QCheckBox *m_sendAll;
    QFrame *m_statusPanel;
    QProgressBar *m_gauge1, *m_totalProcessed;
    QLabel *m_sendingFile, *m_totBytes;
    QPushButton *m_cancelSend;
    QPlainTextEdit *m_summary;
    QPlainTextEdit *m_log;
    QPushButton *m_viewLog, *m_nextPageBtn, *m_sendFileBtn;
};

} // namespace Tarnwick
