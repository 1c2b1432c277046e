// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;

namespace Tarnwick {

// "Submit Results": what a form submitted in a preview would send.
class TSubmitForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TSubmitForm(QWidget *parent = nullptr);

    // Fills the dialog and shows it without blocking.
    void showSubmission(const QString &action, const QString &method, const QStringList &pairs);

    QString action() const;
    QString method() const;
    QStringList results() const;

private:
    QLineEdit *m_action;
    QLineEdit *m_method;
    QListWidget *m_results;
};

} // namespace Tarnwick
