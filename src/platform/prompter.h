// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

namespace Tarnwick {

// Every question and message to the user goes through this interface. The
// program uses QtPrompter (real dialogs); tests use a scripted prompter that
// plays the user and records every message with its exact text.
class Prompter
{
public:
    enum class Kind { Warning, Error, Information, Confirmation };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    struct FileRequest
    {
        QString caption;
        QString directory; // start directory
        QString fileName; // proposed name (may be a full path)
        QString filter; // "Label|*.a;*.b|Label2|*.c", as the program writes filters
        int filterIndex = 0; // selected filter, from 0
    };

    virtual ~Prompter() = default;

    // A modal message box of one of the four kinds; returns the button pressed
    // (closing the box counts as Cancel, or as No/Ok where there is no Cancel).
    virtual Answer message(Kind kind, const QString &text, Buttons buttons = Buttons::Ok) = 0;

    // An input box; nullopt when the user cancels.
    virtual std::optional<QString> inputText(const QString &caption, const QString &prompt,
                                             const QString &initial)
        = 0;
    // The same for a password or passphrase: what is typed is not shown.
    virtual std::optional<QString> inputSecret(const QString &caption, const QString &prompt) = 0;

    // File choices; nullopt when the user cancels. The save choice never asks
    // about overwriting: the program asks that itself, with its own text.
    virtual std::optional<QString> openFileName(const FileRequest &request) = 0;
    // Several existing files at once, in the order the dialog gives them;
    // nullopt when the user cancels.
    virtual std::optional<QStringList> openFileNames(const FileRequest &request) = 0;
    virtual std::optional<QString> saveFileName(const FileRequest &request) = 0;
    virtual std::optional<QString> directoryName(const QString &caption, const QString &start) = 0;

    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
    virtual std::optional<QFont> chooseFont(const QFont &initial) = 0;

    // Shorthands for the common one-button boxes.
    void warning(const QString &text) { message(Kind::Warning, text); }
    void error(const QString &text) { message(Kind::Error, text); }
    void information(const QString &text) { message(Kind::Information, text); }
};

} // namespace Tarnwick
