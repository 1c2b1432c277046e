// SPDX-License-Identifier: GPL-3.0-or-later
// Times the spelling engine against Hunspell (en_US) on the same input:
//  - look-up: words checked per second over 1 MB of English prose (the
//    licence texts of the system, repeated; the same word list for both);
//  - suggestions, on four lists of misspellings (data/README.md says where
//    each comes from): the latency of one request (median, p90) and how
//    often the intended word is the first suggestion and among the first
//    five, for Tarnwick and for Hunspell in the same run:
//      English: data/misspellings.txt and data/misspellings-codespell.txt
//               (ENGLISH.DCT against Hunspell en_US)
//      German:  data/misspellings-de.txt (GERMAN.DCT against de_DE)
//      French:  data/misspellings-fr.txt (FRENCH.DCT against fr_FR)
//    and the German and French lists again with dictionaries built from the
//    installed Hunspell pairs (de_DE, fr), as the settings offer them.
// Usage: bench_spell [DATA-DIR] [--misses]  (default: $TARNWICK_DATA_DIR)
//        --misses lists the misspellings whose intended word we did not offer
//        among the first five.

#include "spell/hunspellpair.h"
#include "spell/suggester.h"
#include "spell/tdictionary.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

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

QList<Pair> misspellings(const QString &name)
{
    QList<Pair> pairs;
    QFile file(QStringLiteral(TARNWICK_BENCH_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return pairs;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const qsizetype space = line.indexOf(' ');
        if (space > 0)
            pairs.append({ QString::fromUtf8(line.left(space)),
                           QString::fromUtf8(line.mid(space + 1).trimmed()) });
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

// Where the intended word stands among the suggestions: 0 first, -1 absent.
qsizetype rankOf(const QStringList &suggestions, const QString &intended)
{
    for (qsizetype i = 0; i < suggestions.size(); ++i) {
        if (suggestions[i].compare(intended, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

struct Outcome
{
    std::vector<double> latencies;
    int first = 0;
    int topFive = 0;
    qsizetype total = 0;

    void add(double ms, qsizetype rank)
    {
        latencies.push_back(ms);
        first += rank == 0 ? 1 : 0;
        topFive += rank >= 0 && rank < TopShare ? 1 : 0;
        ++total;
    }
};

// Runs hunspell -l over the words; returns the elapsed milliseconds and the
// number of words it rejected.
std::pair<double, qsizetype> hunspellList(const QByteArray &input)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral("hunspell"),
                  { QStringLiteral("-d"), QStringLiteral("en_US"), QStringLiteral("-l") });
    if (!process.waitForStarted())
        return { -1, 0 };
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    return { ms, process.readAllStandardOutput().count('\n') };
}

// Hunspell's suggestions through its pipe interface, one request at a time.
class HunspellPipe
{
public:
    explicit HunspellPipe(const QString &dictionary)
    {
        m_process.start(QStringLiteral("hunspell"),
                        { QStringLiteral("-d"), dictionary, QStringLiteral("-i"),
                          QStringLiteral("utf-8"), QStringLiteral("-a") });
        m_ready = m_process.waitForStarted() && m_process.waitForReadyRead(10000);
        if (m_ready)
            m_process.readLine(); // banner
    }
    ~HunspellPipe()
    {
        m_process.closeWriteChannel();
        m_process.waitForFinished();
    }

    bool ready() const { return m_ready; }

    QStringList suggest(const QString &word)
    {
        m_process.write("^" + word.toUtf8() + "\n");
        QByteArray answer;
        // Each request is answered by its lines and one empty line.
        while (!answer.endsWith("\n\n") && answer != "\n") {
            if (!m_process.canReadLine() && !m_process.waitForReadyRead(10000))
                break;
            while (m_process.canReadLine())
                answer += m_process.readLine();
        }
        QStringList found;
        if (answer.startsWith('&')) {
            const qsizetype colon = answer.indexOf(": ");
            for (const QByteArray &s : answer.mid(colon + 2).trimmed().split(','))
                found << QString::fromUtf8(s.trimmed());
        }
        return found;
    }

private:
    QProcess m_process;
    bool m_ready = false;
};

void report(const char *who, const Outcome &o)
{
    const double total = o.total ? double(o.total) : 1.0;
    std::printf(
        "  %-10s first %3d (%5.1f%%), first %d %3d (%5.1f%%); median %.3f ms, p90 %.3f ms\n", who,
        o.first, 100.0 * o.first / total, TopShare, o.topFive, 100.0 * o.topFive / total,
        percentile(o.latencies, 0.5), percentile(o.latencies, 0.9));
}

// One list: Tarnwick with the dictionary file, then Hunspell with its dictionary.
bool compare(const QString &title, const QString &listName, const QString &dct,
             const QString &hunspellDictionary, bool listMisses)
{
    const QList<Pair> pairs = misspellings(listName);
    if (pairs.isEmpty()) {
        std::fprintf(stderr, "No misspellings in %s\n", qPrintable(listName));
        return false;
    }
    auto created = TDictionary::create(nullptr);
    TDictionary &dictionary = *created.value();
    if (const Result opened = dictionary.openMainDictionary(dct); !opened) {
        std::fprintf(stderr, "%s\n", qPrintable(opened.error()));
        return false;
    }
    std::printf("Suggest, %s: %lld misspellings of %s, %d suggestions asked\n", qPrintable(title),
                static_cast<long long>(pairs.size()), qPrintable(listName), SuggestionCount);
    Suggester suggester(dictionary);
    Outcome ours;
    QElapsedTimer timer;
    for (const Pair &pair : pairs) {
        timer.start();
        const QStringList found = suggester.suggest(pair.misspelling, SuggestionCount);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        const qsizetype rank = rankOf(found, pair.intended);
        ours.add(ms, rank);
        if (listMisses && (rank < 0 || rank >= TopShare))
            std::printf("    %s -> %s: %s\n", qPrintable(pair.misspelling),
                        qPrintable(pair.intended), qPrintable(found.join(QStringLiteral(", "))));
    }
    report("tarnwick", ours);

    HunspellPipe hunspell(hunspellDictionary);
    if (!hunspell.ready()) {
        std::printf("  hunspell   not available (%s)\n", qPrintable(hunspellDictionary));
        return true;
    }
    Outcome theirs;
    for (const Pair &pair : pairs) {
        timer.start();
        const QStringList found = hunspell.suggest(pair.misspelling);
        theirs.add(double(timer.nsecsElapsed()) / 1e6, rankOf(found, pair.intended));
    }
    report("hunspell", theirs);
    return true;
}

// Words per second over the same text, Tarnwick's look-up and Hunspell's.
bool lookUp(const QString &english)
{
    QElapsedTimer timer;
    timer.start();
    auto created = TDictionary::create(nullptr);
    TDictionary &dictionary = *created.value();
    if (const Result opened = dictionary.openMainDictionary(english); !opened) {
        std::fprintf(stderr, "%s\n", qPrintable(opened.error()));
        return false;
    }
    const double openMs = double(timer.nsecsElapsed()) / 1e6;

    const QStringList words = englishWords();
    if (words.isEmpty()) {
        std::fprintf(stderr, "No English text found.\n");
        return false;
    }
    std::printf("Look-up: %lld words from %lld bytes of English text\n",
                static_cast<long long>(words.size()), static_cast<long long>(TextBytes));

    timer.restart();
    qsizetype rejected = 0;
    for (const QString &word : words)
        rejected += dictionary.isWord(word) ? 0 : 1;
    const double oursMs = double(timer.nsecsElapsed()) / 1e6;
    std::printf("  tarnwick   %.1f ms (open %.1f ms): %.0f words/s, %lld rejected\n", oursMs,
                openMs, double(words.size()) / oursMs * 1000.0, static_cast<long long>(rejected));

    const QByteArray input = words.join(QLatin1Char('\n')).toUtf8() + '\n';
    const auto [loadMs, none] = hunspellList(QByteArray());
    const auto [huntMs, huntRejected] = hunspellList(input);
    Q_UNUSED(none);
    if (huntMs < 0) {
        std::printf("  hunspell   not available\n");
    } else {
        const double checkMs = std::max(0.001, huntMs - loadMs);
        std::printf(
            "  hunspell   %.1f ms (start and load %.1f ms): %.0f words/s without load, %.0f with; "
            "%lld rejected\n",
            checkMs, loadMs, double(words.size()) / checkMs * 1000.0,
            double(words.size()) / huntMs * 1000.0, static_cast<long long>(huntRejected));
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool listMisses = args.removeAll(QStringLiteral("--misses")) > 0;
    const QString dataDir
        = !args.isEmpty() ? args.first() : qEnvironmentVariable("TARNWICK_DATA_DIR");
    const QString english = dataDir + QStringLiteral("/ENGLISH.DCT");
    if (!lookUp(english))
        return 1;
    bool ok = compare(QStringLiteral("English"), QStringLiteral("misspellings.txt"), english,
                      QStringLiteral("en_US"), listMisses);
    ok = compare(QStringLiteral("English"), QStringLiteral("misspellings-codespell.txt"), english,
                 QStringLiteral("en_US"), listMisses)
        && ok;
    ok = compare(QStringLiteral("German"), QStringLiteral("misspellings-de.txt"),
                 dataDir + QStringLiteral("/GERMAN.DCT"), QStringLiteral("de_DE"), listMisses)
        && ok;
    ok = compare(QStringLiteral("French"), QStringLiteral("misspellings-fr.txt"),
                 dataDir + QStringLiteral("/FRENCH.DCT"), QStringLiteral("fr_FR"), listMisses)
        && ok;

    // The same lists with dictionaries built from the installed Hunspell pairs,
    // as the Spell Checker settings offer them.
    QTemporaryDir built;
    const struct
    {
        const char *title, *list, *pair, *hunspell;
    } pairs[] = { { "German", "misspellings-de.txt", "de_DE", "de_DE" },
                  { "French", "misspellings-fr.txt", "fr", "fr_FR" } };
    for (const auto &p : pairs) {
        const QString base = QStringLiteral("/usr/share/hunspell/") + QLatin1String(p.pair);
        const QString dct = built.filePath(QLatin1String(p.pair) + QStringLiteral(".DCT"));
        QElapsedTimer timer;
        timer.start();
        const auto made = HunspellPair::buildDictionary(base + QStringLiteral(".dic"),
                                                        base + QStringLiteral(".aff"), dct);
        if (!made) {
            std::printf("%s from %s: %s\n", p.title, p.pair, qPrintable(made.error()));
            continue;
        }
        std::printf("Built %s from the Hunspell pair %s: %d words in %lld ms\n", p.title, p.pair,
                    made->words, static_cast<long long>(timer.elapsed()));
        ok = compare(QLatin1String(p.title) + QStringLiteral(", dictionary built from ")
                         + QLatin1String(p.pair),
                     QLatin1String(p.list), dct, QLatin1String(p.hunspell), listMisses)
            && ok;
    }
    return ok ? 0 : 1;
}
