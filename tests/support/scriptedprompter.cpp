// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptedprompter.h"

namespace Tarnwick {

Prompter::Answer ScriptedPrompter::message(Kind kind, const QString &text, Buttons buttons)
{
    m_messages.append({ kind, text, buttons });
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    if (!m_answers.isEmpty())
        return Answer(m_answers.dequeue().toInt());
    ++m_unscripted;
    switch (buttons) {
    case Buttons::YesNo:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

std::optional<QString> ScriptedPrompter::inputText(const QString &caption, const QString &prompt,
                                                   const QString &initial)
{
    m_inputRequests.append({ caption, prompt, initial });
    if (m_texts.isEmpty()) {
        ++m_unscripted;
        return std::nullopt;
    }
    return m_texts.dequeue();
}

std::optional<QString> ScriptedPrompter::inputSecret(const QString &caption,
                                                     const QString &prompt)
{
    return inputText(caption, prompt, QString());
}

std::optional<QString> ScriptedPrompter::openFileName(const FileRequest &request)
{
    m_fileRequests.append(request);
    if (m_files.isEmpty()) {
        ++m_unscripted;
        return std::nullopt;
    }
    const QString path = m_files.dequeue();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QStringList> ScriptedPrompter::openFileNames(const FileRequest &request)
{
    m_fileRequests.append(request);
    if (m_fileLists.isEmpty()) {
        ++m_unscripted;
        return std::nullopt;
    }
    const QStringList paths = m_fileLists.dequeue();
    if (paths.isEmpty())
        return std::nullopt;
    return paths;
}

std::optional<QString> ScriptedPrompter::saveFileName(const FileRequest &request)
{
    return openFileName(request);
}

std::optional<QString> ScriptedPrompter::directoryName(const QString &caption, const QString &start)
{
    return openFileName({ caption, start, QString(), QString(), 0 });
}

std::optional<QColor> ScriptedPrompter::chooseColor(const QColor &)
{
    if (m_colors.isEmpty()) {
        ++m_unscripted;
        return std::nullopt;
    }
    return m_colors.dequeue();
}

std::optional<QFont> ScriptedPrompter::chooseFont(const QFont &)
{
    if (m_fonts.isEmpty()) {
        ++m_unscripted;
        return std::nullopt;
    }
    return m_fonts.dequeue();
}

QStringList ScriptedPrompter::texts() const
{
    QStringList result;
    for (const Message &m : m_messages)
        result.append(m.text);
    return result;
}

bool ScriptedPrompter::scriptUsedUp() const
{
    return m_answers.isEmpty() && m_texts.isEmpty() && m_files.isEmpty() && m_fileLists.isEmpty()
        && m_colors.isEmpty() && m_fonts.isEmpty();
}

void ScriptedPrompter::clear()
{
    m_answers.clear();
    m_texts.clear();
    m_files.clear();
    m_fileLists.clear();
    m_colors.clear();
    m_fonts.clear();
    m_messages.clear();
    m_fileRequests.clear();
    m_inputRequests.clear();
    m_unscripted = 0;
}

} // namespace Tarnwick
