// SPDX-License-Identifier: GPL-3.0-or-later
// Times Suggest and QuickSuggest on damaged dictionaries whose child lists
// loop back to the root list, where only the cell budget ends the walk; and,
// for scale, the most cells a walk reads in a sound dictionary.
// Usage: bench_damageddct [DICTIONARY.DCT WORDLIST]
//        (default: $TARNWICK_DATA_DIR/ENGLISH.DCT and /usr/share/dict/american-english)

#include "spell/dctformat.h"
#include "spell/suggester.h"
#include "spell/tdictionary.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

using namespace Tarnwick;
using namespace Tarnwick::DctFormat;

namespace {

struct Case
{
    const char *name;
    bool wordEnds;
    bool quick;
    QString word;
};

QByteArray loopingFile(bool wordEnds)
{
    QByteArray bytes(CellsOffset, '\0');
    bytes.replace(SignatureOffset, SignatureLength, QByteArray(Signature, SignatureLength));
    const quint32 cells[] = { makeCell('a', false, wordEnds, 1), makeCell('b', false, wordEnds, 1),
                              makeCell('e', true, wordEnds, 1) };
    for (const quint32 cell : cells) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes += char((cell >> shift) & 0xFF);
    }
    return bytes;
}

void damaged(const QTemporaryDir &dir)
{
    const std::vector<Case> cases = {
        { "Suggest, no word ends", false, false, QString(40, u'a') },
        { "QuickSuggest, no word ends", false, true, QStringLiteral("a") },
        { "Suggest, every letter a word end", true, false,
          QStringLiteral("abeabbaeabeaabbaeabaeabbbeaaeaaeabaebaeaeabab") },
    };
    std::printf("Damaged dictionary, child lists looping back (budget %lld cells a walk):\n",
                static_cast<long long>(Suggester::MaxCellsPerWalk));
    for (const Case &c : cases) {
        const QString path = dir.filePath(QStringLiteral("LOOP.DCT"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(loopingFile(c.wordEnds)) < 0)
            return;
        file.close();
        auto created = TDictionary::create(nullptr);
        TDictionary &dictionary = *created.value();
        if (!dictionary.openMainDictionary(path))
            return;
        Suggester suggester(dictionary);
        QElapsedTimer timer;
        timer.start();
        const QStringList found
            = c.quick ? suggester.quickSuggest(c.word, 255) : suggester.suggest(c.word, 255);
        std::printf(
            "  %-34s %8.1f ms, %9lld cells read, %3lld words, reported damaged: %s\n", c.name,
            double(timer.nsecsElapsed()) / 1e6, static_cast<long long>(suggester.cellsRead()),
            static_cast<long long>(found.size()), dictionary.ioError().isEmpty() ? "no" : "yes");
    }
}

void sound(const QString &dct, const QString &wordList)
{
    auto created = TDictionary::create(nullptr);
    TDictionary &dictionary = *created.value();
    QFile list(wordList);
    if (!dictionary.openMainDictionary(dct) || !list.open(QIODevice::ReadOnly)) {
        std::printf("Sound dictionary: %s or %s not readable\n", qPrintable(dct),
                    qPrintable(wordList));
        return;
    }
    const QStringList words = QString::fromUtf8(list.readAll()).split(u'\n', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return;
    QRandomGenerator random(1);
    Suggester suggester(dictionary);
    qint64 mostSuggest = 0, mostQuick = 0;
    const int probes = 3000;
    for (int i = 0; i < probes; ++i) {
        const QString word = words.at(random.bounded(int(words.size())));
        suggester.suggest(word, 10);
        mostSuggest = qMax(mostSuggest, suggester.cellsRead());
        suggester.quickSuggest(word.left(2), 255);
        mostQuick = qMax(mostQuick, suggester.cellsRead());
    }
    std::printf("Sound dictionary %s, %d random words: Suggest reads at most %lld cells, "
                "QuickSuggest of their first two letters at most %lld%s\n",
                qPrintable(dct), probes, static_cast<long long>(mostSuggest),
                static_cast<long long>(mostQuick),
                dictionary.ioError().isEmpty() ? "" : " (reported damaged!)");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    damaged(dir);
    sound(args.size() >= 2
              ? args.at(0)
              : qEnvironmentVariable("TARNWICK_DATA_DIR") + QStringLiteral("/ENGLISH.DCT"),
          args.size() >= 2 ? args.at(1) : QStringLiteral("/usr/share/dict/american-english"));
    return 0;
}
