// SPDX-License-Identifier: GPL-3.0-or-later
// Times the spelling engine against Hunspell (en_US) on the same input:
//  - look-up: words checked per second over 1 MB of English prose (the
//    licence texts of the system, repeated; the same word list for both);
//  - suggestions: latency of one request (median, p90) over the common
//    misspellings of data/misspellings.txt, and the share whose intended
//    word is among the first five suggestions.
// Usage: bench_spell [ENGLISH.DCT] [--misses]  (default: $TARNWICK_DATA_DIR/ENGLISH.DCT)
//        --misses lists the misspellings whose intended word we did not offer.

#include "spell/suggester.h"
#include "spell/tdictionary.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Tarnwick;

namespace {

constexpr qsizetype TextBytes = 1024 * 1024;
constexpr int SuggestionCount = 10;
constexpr int TopShare = 5;

QStringList englishWords()
{
    const QDir licences(QStringLiteral("/usr/share/common-licenses"));
    QString prose;
    const QStringList names = licences.entryList(QDir::Files, QDir::Name);
    for (const QString &name : names) {
        QFile file(licences.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            prose += QString::fromUtf8(file.readAll()) + QLatin1Char('\n');
    }
    if (prose.isEmpty())
        return {};
    QString text;
    while (text.size() < TextBytes)
        text += prose;
    text.truncate(TextBytes);
    QStringList words;
    static const QRegularExpression word(QStringLiteral("[A-Za-z][A-Za-z']*[A-Za-z]|[A-Za-z]"));
    for (auto it = word.globalMatch(text); it.hasNext();)
        words << it.next().captured();
    return words;
}

struct Pair
{
    QString misspelling;
    QString intended;
};

QList<Pair> misspellings()
{
    QList<Pair> pairs;
    QFile file(QStringLiteral(TARNWICK_BENCH_DATA "/misspellings.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return pairs;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const qsizetype space = line.indexOf(' ');
        if (space > 0)
            pairs.append({QString::fromUtf8(line.left(space)), QString::fromUtf8(line.mid(space + 1).trimmed())});
    }
    return pairs;
}

double percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(share * double(values.size() - 1) + 0.5))];
}

bool inTop(const QStringList &suggestions, const QString &intended)
{
    for (qsizetype i = 0; i < std::min<qsizetype>(TopShare, suggestions.size()); ++i) {
        if (suggestions[i].compare(intended, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Runs hunspell -l over the words; returns the elapsed milliseconds and the
// number of words it rejected.
std::pair<double, qsizetype> hunspellList(const QByteArray &input)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral("hunspell"), {QStringLiteral("-d"), QStringLiteral("en_US"), QStringLiteral("-l")});
    if (!process.waitForStarted())
        return {-1, 0};
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    return {ms, process.readAllStandardOutput().count('\n')};
}

void report(const char *who, const std::vector<double> &latencies, int hits, qsizetype total)
{
    std::printf("  %-10s median %.3f ms, p90 %.3f ms, max %.3f ms; intended word in first %d: %d of %lld (%.1f%%)\n",
                who, percentile(latencies, 0.5), percentile(latencies, 0.9),
                latencies.empty() ? 0.0 : *std::max_element(latencies.begin(), latencies.end()), TopShare, hits,
                static_cast<long long>(total), total ? 100.0 * hits / double(total) : 0.0);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool listMisses = args.removeAll(QStringLiteral("--misses")) > 0;
    const QString dct = !args.isEmpty() ? args.first()
                                        : qEnvironmentVariable("TARNWICK_DATA_DIR") + QStringLiteral("/ENGLISH.DCT");

    QElapsedTimer timer;
    timer.start();
    auto created = TDictionary::create(nullptr);
    TDictionary &dictionary = *created.value();
    if (const Result opened = dictionary.openMainDictionary(dct); !opened) {
        std::fprintf(stderr, "%s\n", qPrintable(opened.error()));
        return 1;
    }
    const double openMs = double(timer.nsecsElapsed()) / 1e6;

    const QStringList words = englishWords();
    if (words.isEmpty()) {
        std::fprintf(stderr, "No English text found.\n");
        return 1;
    }
    std::printf("Look-up: %lld words from %lld bytes of English text\n", static_cast<long long>(words.size()),
                static_cast<long long>(TextBytes));

    timer.restart();
    qsizetype rejected = 0;
    for (const QString &word : words)
        rejected += dictionary.isWord(word) ? 0 : 1;
    const double oursMs = double(timer.nsecsElapsed()) / 1e6;
    std::printf("  tarnwick   %.1f ms (open %.1f ms): %.0f words/s, %lld rejected\n", oursMs, openMs,
                double(words.size()) / oursMs * 1000.0, static_cast<long long>(rejected));

    const QByteArray input = words.join(QLatin1Char('\n')).toUtf8() + '\n';
    const auto [loadMs, none] = hunspellList(QByteArray());
    const auto [huntMs, huntRejected] = hunspellList(input);
    Q_UNUSED(none);
    if (huntMs < 0) {
        std::printf("  hunspell   not available\n");
    } else {
        const double checkMs = std::max(0.001, huntMs - loadMs);
        std::printf("  hunspell   %.1f ms (start and load %.1f ms): %.0f words/s without load, %.0f with; "
                    "%lld rejected\n",
                    checkMs, loadMs, double(words.size()) / checkMs * 1000.0,
                    double(words.size()) / huntMs * 1000.0, static_cast<long long>(huntRejected));
    }

    const QList<Pair> pairs = misspellings();
    std::printf("Suggest: %lld misspellings, %d suggestions asked\n", static_cast<long long>(pairs.size()),
                SuggestionCount);
    Suggester suggester(dictionary);
    std::vector<double> ours;
    int oursHits = 0;
    for (const Pair &pair : pairs) {
        timer.restart();
        const QStringList found = suggester.suggest(pair.misspelling, SuggestionCount);
        ours.push_back(double(timer.nsecsElapsed()) / 1e6);
        const bool hit = inTop(found, pair.intended);
        oursHits += hit ? 1 : 0;
        if (listMisses && !hit)
            std::printf("    %s -> %s: %s\n", qPrintable(pair.misspelling), qPrintable(pair.intended),
                        qPrintable(found.join(QStringLiteral(", "))));
    }
    report("tarnwick", ours, oursHits, pairs.size());

    QProcess hunspell;
    hunspell.start(QStringLiteral("hunspell"), {QStringLiteral("-d"), QStringLiteral("en_US"), QStringLiteral("-a")});
    if (!hunspell.waitForStarted() || !hunspell.waitForReadyRead(10000)) {
        std::printf("  hunspell   not available\n");
        return 0;
    }
    hunspell.readLine(); // banner
    std::vector<double> theirs;
    int theirHits = 0;
    for (const Pair &pair : pairs) {
        timer.restart();
        hunspell.write("^" + pair.misspelling.toUtf8() + "\n");
        QByteArray answer;
        // Each request is answered by its lines and one empty line.
        while (!answer.endsWith("\n\n") && answer != "\n") {
            if (!hunspell.canReadLine() && !hunspell.waitForReadyRead(10000))
                break;
            while (hunspell.canReadLine())
                answer += hunspell.readLine();
        }
        theirs.push_back(double(timer.nsecsElapsed()) / 1e6);
        QStringList found;
        if (answer.startsWith('&')) {
            const qsizetype colon = answer.indexOf(": ");
            for (const QByteArray &s : answer.mid(colon + 2).trimmed().split(','))
                found << QString::fromUtf8(s.trimmed());
        }
        theirHits += inTop(found, pair.intended) ? 1 : 0;
    }
    hunspell.closeWriteChannel();
    hunspell.waitForFinished();
    report("hunspell", theirs, theirHits, pairs.size());
    return 0;
}
