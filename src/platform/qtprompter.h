// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/prompter.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace Tarnwick {

// The prompter of the running program: real, modal Qt dialogs over the
// given parent window.
class QtPrompter final : public Prompter
{
public:
    explicit QtPrompter(QWidget *parent = nullptr);

    Answer message(Kind kind, const QString &text, Buttons buttons = Buttons::Ok) override;
    std::optional<QString> inputSecret(const QString &caption, const QString &prompt) override;
    std::optional<QString> inputText(const QString &caption, const QString &prompt,
                                     const QString &initial) override;
    std::optional<QString> openFileName(const FileRequest &request) override;
    std::optional<QStringList> openFileNames(const FileRequest &request) override;
    std::optional<QString> saveFileName(const FileRequest &request) override;
    std::optional<QString> directoryName(const QString &caption, const QString &start) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    std::optional<QFont> chooseFont(const QFont &initial) override;

    // The program's filter "Label|*.a;*.b|Label2|*.c" as Qt's filters
    // {"Label (*.a *.b)", "Label2 (*.c)"}, one per label. A label without
    // patterns at the end is dropped.
    static QStringList toQtFilters(const QString &filter);

    // Where a file dialog starts: the proposed name, inside the start
    // directory unless it is a full path itself.
    static QString startPath(const FileRequest &request);

private:
    QPointer<QWidget> m_parent;
};

} // namespace Tarnwick
