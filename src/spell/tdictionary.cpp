// SPDX-License-Identifier: GPL-3.0-or-later
#include "tdictionary.h"

#include "codepage437.h"
#include "platform/prompter.h"
#include "spellpaths.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace Tarnwick {

bool TDictionary::s_exists = false;

Expected<std::unique_ptr<TDictionary>> TDictionary::create(Prompter *prompter)
{
    using Created = Expected<std::unique_ptr<TDictionary>>;
    if (s_exists) {
        if (prompter)
            prompter->error(QStringLiteral("Programmer Error. Only one dictionary\robject can be "
                                           "initialized at once."));
        return Created::failure(QStringLiteral("Multiple Dictionaries not supported."));
    }
    s_exists = true;
    return Created(std::unique_ptr<TDictionary>(new TDictionary));
}

TDictionary::~TDictionary()
{
    s_exists = false;
}

Result TDictionary::openMainDictionary(const QString &path)
{
    const QString fileName = QFileInfo(path).fileName();
    for (const auto &file : m_mainFiles) {
        if (QFileInfo(file->path()).fileName().compare(fileName, Qt::CaseInsensitive) == 0)
            return Result::success();
    }
    Expected<std::unique_ptr<TDCTFile>> opened = TDCTFile::open(path);
    if (!opened)
        return Result::failure(opened.error());
    m_mainFiles.push_back(std::move(opened.value()));
    return Result::success();
}

QStringList TDictionary::mainDictionaryFiles() const
{
    QStringList paths;
    for (const auto &file : m_mainFiles)
        paths << file->path();
    return paths;
}

QString TDictionary::resolveListName(const QString &name) const
{
    if (name.contains(QLatin1Char('/')) || m_mainFiles.empty())
        return SpellPaths::resolveCase(name);
    const QString dir = QFileInfo(m_mainFiles.front()->filePath()).absolutePath();
    return SpellPaths::resolveCase(dir + QLatin1Char('/') + name);
}

QStringList TDictionary::wordsOf(const QString &text)
{
    QStringList words;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        // Trimmed again after the cut, which may end in a blank: the word kept
        // is the word the saved line reads back as.
        const QString word = normalise(line.trimmed()).trimmed();
        if (!word.isEmpty())
            words << word;
    }
    return words;
}

Expected<TextFileContent> TDictionary::readWordList(const QString &path)
{
    return TextFile::read(path);
}

void TDictionary::insertUserWord(const QString &lowerWord)
{
    const auto it = std::lower_bound(m_userWords.begin(), m_userWords.end(), lowerWord);
    if (it == m_userWords.end() || *it != lowerWord)
        m_userWords.insert(it, lowerWord);
}

void TDictionary::recordUserListStamp()
{
    const QFileInfo info(m_userListPath);
    m_userListTime = info.exists() ? info.lastModified() : QDateTime();
    m_userListSize = info.exists() ? info.size() : -1;
}

bool TDictionary::openUserList(const QString &name)
{
    m_userWords.clear();
    m_userListModified = false;
    m_userListPath = resolveListName(name);
    m_userListTime = QDateTime();
    m_userListSize = -1;
    if (!QFileInfo::exists(m_userListPath))
        return false;
    const Expected<TextFileContent> content = readWordList(m_userListPath);
    if (!content)
        return false; // left unstamped: saving re-reads it and never overwrites it unread
    m_userListFormat = content->format;
    for (const QString &word : wordsOf(content->text))
        insertUserWord(word);
    recordUserListStamp();
    return true;
}

bool TDictionary::openExclusionList(const QString &name)
{
    m_exclusions.clear();
    m_hasExclusions = false;
    const QString path = QFileInfo::exists(name) ? name : resolveListName(name);
    if (name.isEmpty() || !QFileInfo::exists(path))
        return false;
    const Expected<TextFileContent> content = readWordList(path);
    if (!content)
        return false;
    for (const QString &word : wordsOf(content->text))
        m_exclusions.insert(word);
    m_hasExclusions = true;
    return true;
}

QString TDictionary::normalise(const QString &word)
{
    QString lower = word.left(MaxWordLength);
    for (QChar &ch : lower)
        ch = ch.toLower();
    return lower;
}

std::optional<QByteArray> TDictionary::dictionaryBytes(const QString &lowerWord)
{
    return CodePage437::fromUnicode(lowerWord);
}

void TDictionary::reportIoError(const TDCTFile &file)
{
    if (m_ioError.isEmpty())
        m_ioError = file.ioErrorText();
}

bool TDictionary::isWord(const QString &word)
{
    // Runs for every word of a page: no allocation on the way to the tree.
    std::array<QChar, MaxWordLength> lower;
    qsizetype length = std::min<qsizetype>(word.size(), MaxWordLength);
    for (qsizetype i = 0; i < length; ++i)
        lower[size_t(i)] = word[i].toLower();
    if (length >= 2 && lower[size_t(length - 2)] == QLatin1Char('\'') && lower[size_t(length - 1)] == QLatin1Char('s'))
        length -= 2;
    if (length == 0)
        return false;
    const QStringView view(lower.data(), length);
    if (m_hasExclusions && m_exclusions.contains(view.toString()))
        return false;
    if (std::binary_search(m_userWords.cbegin(), m_userWords.cend(), view,
                           [](const auto &a, const auto &b) { return QStringView(a) < QStringView(b); }))
        return true;
    std::array<char, MaxWordLength> bytes;
    for (qsizetype i = 0; i < length; ++i) {
        const int byte = CodePage437::fromUnicode(lower[size_t(i)]);
        if (byte < 0)
            return false; // no dictionary file can hold it
        bytes[size_t(i)] = char(byte);
    }
    const QByteArrayView key(bytes.data(), length);
    for (const auto &file : m_mainFiles) {
        const std::optional<bool> found = file->contains(key);
        if (!found)
            reportIoError(*file);
        else if (*found)
            return true;
    }
    return false;
}

bool TDictionary::addWord(const QString &word)
{
    if (isWord(word))
        return false;
    QString lower = normalise(word);
    // Look-ups drop the possessive before they reach the user list, so the
    // list keeps the word it belongs to: adding "Smith's" accepts both forms.
    if (lower.endsWith(QLatin1String("'s")))
        lower.chop(2);
    if (lower.isEmpty())
        return false;
    insertUserWord(lower);
    m_userListModified = true;
    return true;
}

Result TDictionary::saveUserList()
{
    if (m_userListPath.isEmpty())
        return Result::failure(QStringLiteral("No user word list is open."));
    const QFileInfo info(m_userListPath);
    if (info.exists() && (info.lastModified() != m_userListTime || info.size() != m_userListSize)) {
        const Expected<TextFileContent> content = readWordList(m_userListPath);
        if (!content)
            return Result::failure(content.error());
        if (!m_userListTime.isValid())
            m_userListFormat = content->format;
        for (const QString &word : wordsOf(content->text))
            insertUserWord(word);
    }
    QString text;
    for (const QString &word : std::as_const(m_userWords))
        text += word + QLatin1Char('\n');
    const Result written = TextFile::write(m_userListPath, text, m_userListFormat);
    if (!written)
        return written;
    m_userListModified = false;
    recordUserListStamp();
    return Result::success();
}

Result TDictionary::close()
{
    Result saved = Result::success();
    if (m_userListModified)
        saved = saveUserList();
    m_mainFiles.clear();
    return saved;
}

} // namespace Tarnwick
