// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/prompter.h"

#include <QList>
#include <QQueue>
#include <QVariant>

namespace Tarnwick {

// Plays the user in tests: answers come from a script queued in advance, and
// every message box is recorded with its kind, text and buttons. A question
// with nothing scripted is answered like closing the box (Cancel, or No/Ok
// where the box has no Cancel) and counted in unscriptedQuestions.
class ScriptedPrompter final : public Prompter
{
public:
    struct Message
    {
        Kind kind;
        QString text;
        Buttons buttons;
    };

    // An input box as it was shown.
    struct InputRequest
    {
        QString caption;
        QString prompt;
        QString initial;

        friend bool operator==(const InputRequest &, const InputRequest &) = default;
    };

    // Script: answers in the order the questions will come.
    void answer(Answer a) { m_answers.enqueue(QVariant::fromValue(int(a))); }
    void answerText(const QString &text) { m_texts.enqueue(text); }
    void cancelNextText() { m_texts.enqueue(std::nullopt); }
    void answerFile(const QString &path) { m_files.enqueue(path); }
    void cancelNextFile() { m_files.enqueue(QString()); }
    // The next multiple choice: these paths; an empty list cancels it.
    void answerFiles(const QStringList &paths) { m_fileLists.enqueue(paths); }
    void answerColor(const QColor &color) { m_colors.enqueue(color); }
    void answerFont(const QFont &font) { m_fonts.enqueue(font); }

    Answer message(Kind kind, const QString &text, Buttons buttons = Buttons::Ok) override;
    std::optional<QString> inputText(const QString &caption, const QString &prompt,
                                     const QString &initial) override;
    // Takes its answer from the same queue as inputText.
    std::optional<QString> inputSecret(const QString &caption, const QString &prompt) override;
    std::optional<QString> openFileName(const FileRequest &request) override;
    std::optional<QStringList> openFileNames(const FileRequest &request) override;
    std::optional<QString> saveFileName(const FileRequest &request) override;
    std::optional<QString> directoryName(const QString &caption, const QString &start) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    std::optional<QFont> chooseFont(const QFont &initial) override;

    const QList<Message> &messages() const { return m_messages; }
    QStringList texts() const; // the texts of all messages, in order
    QList<FileRequest> fileRequests() const { return m_fileRequests; }
    QList<InputRequest> inputRequests() const { return m_inputRequests; }
    int unscriptedQuestions() const { return m_unscripted; }
    bool scriptUsedUp() const;
    void clear();

private:
    QQueue<QVariant> m_answers;
    QQueue<std::optional<QString>> m_texts;
    QQueue<QString> m_files;
    QQueue<QStringList> m_fileLists;
    QQueue<QColor> m_colors;
    QQueue<QFont> m_fonts;
    QList<Message> m_messages;
    QList<FileRequest> m_fileRequests;
    QList<InputRequest> m_inputRequests;
    int m_unscripted = 0;
};

} // namespace Tarnwick
