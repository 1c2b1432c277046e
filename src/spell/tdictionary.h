// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"
#include "platform/textfile.h"
#include "tdctfile.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace Tarnwick {

class Prompter;

// The spelling dictionary: the main dictionary files, the user's own word
// list and an optional exclusion list. Only one exists at a time, because
// the user list file would otherwise be written by two owners.
class TDictionary final
{
public:
    static constexpr int MaxWordLength = 50;

    // Refuses a second dictionary while one exists: shows the programmer
    // error box through prompter (when given) and fails with
    // "Multiple Dictionaries not supported.".
    static Expected<std::unique_ptr<TDictionary>> create(Prompter *prompter);
    ~TDictionary();
    TDictionary(const TDictionary &) = delete;
    TDictionary &operator=(const TDictionary &) = delete;

    // Opens a main dictionary; a file name already open (compared without
    // case) is not opened twice.
    Result openMainDictionary(const QString &path);
    QStringList mainDictionaryFiles() const;
    const std::vector<std::unique_ptr<TDCTFile>> &mainFiles() const { return m_mainFiles; }

    // Loads the user word list when the file exists; a missing file is no
    // error (the list starts empty and the file is made when saved). Returns
    // whether a file was loaded.
    bool openUserList(const QString &name);
    // Loads the exclusion list when the file exists; returns whether it did.
    bool openExclusionList(const QString &name);

    bool isWord(const QString &word);
    // Adds the lower-cased word (without a final "'s") to the user list
    // unless it is a word already.
    bool addWord(const QString &word);
    // Writes the user list; words another program added to the file since it
    // was read are merged in first. A file that cannot be read is not
    // overwritten.
    Result saveUserList();
    // Saves the user list if it was changed, then closes every main file.
    Result close();

    const QStringList &userWords() const { return m_userWords; }
    QString userListPath() const { return m_userListPath; }
    bool isUserListModified() const { return m_userListModified; }
    bool hasExclusionList() const { return m_hasExclusions; }

    // The first read failure of a main dictionary since the last
    // clearIoError(); empty when every read succeeded. A look-up that failed
    // answers false.
    QString ioError() const { return m_ioError; }
    void clearIoError() { m_ioError.clear(); }
    void reportIoError(const TDCTFile &file);

    // The form every look-up uses: cut to MaxWordLength and lower-cased.
    static QString normalise(const QString &word);
    // Lower-case code page 437 bytes of a word, nullopt when the code page
    // cannot hold it (then no main dictionary can hold it either).
    static std::optional<QByteArray> dictionaryBytes(const QString &lowerWord);

private:
    TDictionary() = default;
    QString resolveListName(const QString &name) const;
    static Expected<TextFileContent> readWordList(const QString &path);
    static QStringList wordsOf(const QString &text);
    void recordUserListStamp();
    void insertUserWord(const QString &lowerWord);

    std::vector<std::unique_ptr<TDCTFile>> m_mainFiles;
    QStringList m_userWords; // sorted, lower case, no duplicates
    QString m_userListPath;
    QDateTime m_userListTime; // modification time when read or written; invalid when neither
    qint64 m_userListSize = -1;
    TextFileFormat m_userListFormat;
    bool m_userListModified = false;
    QSet<QString> m_exclusions; // lower case
    bool m_hasExclusions = false;
    QString m_ioError;

    static bool s_exists;
};

} // namespace Tarnwick
