// SPDX-License-Identifier: GPL-3.0-or-later
#include "dctcommands.h"

#include "suggester.h"
#include "tdictionary.h"

#include <QTextStream>

#include <memory>

namespace Tarnwick {

namespace {

std::unique_ptr<TDictionary> openDictionary(const QString &dctPath, QTextStream &err)
{
    Expected<std::unique_ptr<TDictionary>> created = TDictionary::create(nullptr);
    if (!created) {
        err << created.error() << Qt::endl;
        return nullptr;
    }
    std::unique_ptr<TDictionary> dictionary = std::move(created.value());
    const Result opened = dictionary->openMainDictionary(dctPath);
    if (!opened) {
        err << opened.error() << Qt::endl;
        return nullptr;
    }
    return dictionary;
}

int finish(TDictionary &dictionary, QTextStream &out, QTextStream &err)
{
    out.flush();
    if (!dictionary.ioError().isEmpty()) {
        err << dictionary.ioError() << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace

int DctCommands::check(const QString &dctPath, const QStringList &words, QTextStream &out, QTextStream &err)
{
    const std::unique_ptr<TDictionary> dictionary = openDictionary(dctPath, err);
    if (!dictionary)
        return 1;
    for (const QString &word : words)
        out << word << '\t' << (dictionary->isWord(word) ? "yes" : "no") << '\n';
    return finish(*dictionary, out, err);
}

int DctCommands::suggest(const QString &dctPath, const QString &word, int n, QTextStream &out, QTextStream &err)
{
    if (n < 1 || n > Suggester::MaxSuggestions) {
        err << "The number of suggestions must be 1 to " << Suggester::MaxSuggestions << '.' << Qt::endl;
        return 1;
    }
    const std::unique_ptr<TDictionary> dictionary = openDictionary(dctPath, err);
    if (!dictionary)
        return 1;
    Suggester suggester(*dictionary);
    for (const QString &suggestion : suggester.suggest(word, n))
        out << suggestion << '\n';
    return finish(*dictionary, out, err);
}

} // namespace Tarnwick
