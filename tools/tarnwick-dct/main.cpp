// SPDX-License-Identifier: GPL-3.0-or-later
// tarnwick-dct: builds spelling dictionaries and looks words up in them.

#include "platform/writelimit.h"
#include "spell/dctbuilder.h"
#include "spell/dctcommands.h"
#include "spell/hunspellpair.h"
#include "spell/tdictionary.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

using namespace Tarnwick;

namespace {

// The usage on err, as a wrong command line gets it; --help has it on out.
int usage(QTextStream &err, int status = 2)
{
    err << "Usage:\n"
           "  tarnwick-dct build WORDLIST OUT.DCT   build a dictionary from a UTF-8 word list\n"
           "  tarnwick-dct build NAME.dic OUT.DCT   ... or from a Hunspell pair (NAME.aff beside "
           "it)\n"
           "  tarnwick-dct expand NAME.dic          print the words of a Hunspell pair, one a "
           "line\n"
           "  tarnwick-dct check DCT WORD...        print each word with yes or no\n"
           "  tarnwick-dct suggest DCT WORD [N]     print up to N suggestions (default 10)\n"
           "  tarnwick-dct --help                   print this\n"
           "Builds and tries the spelling dictionaries Tarnwick's spell checker reads.\n";
    return status;
}

// The .aff beside a .dic, or nothing when the source is not a Hunspell pair.
QString affixFileOf(const QString &source)
{
    if (!source.endsWith(QLatin1String(".dic"), Qt::CaseInsensitive))
        return QString();
    const QString aff = source.chopped(4) + QLatin1String(".aff");
    return QFileInfo::exists(aff) ? aff : QString();
}

int build(const QString &source, const QString &outPath, QTextStream &out, QTextStream &err)
{
    QElapsedTimer timer;
    timer.start();
    DctBuilder::Statistics s;
    if (const QString aff = affixFileOf(source); !aff.isEmpty()) {
        const Expected<DctBuilder::Statistics> built
            = HunspellPair::buildDictionary(source, aff, outPath);
        if (!built) {
            err << built.error() << '\n';
            return 1;
        }
        s = *built;
    } else {
        DctBuilder builder;
        if (Result read = builder.addWordList(source); !read) {
            err << read.error() << '\n';
            return 1;
        }
        if (Result written = builder.write(outPath); !written) {
            err << written.error() << '\n';
            return 1;
        }
        s = builder.statistics();
    }
    out << outPath << ": " << s.words << " words, " << s.skipped
        << " skipped (not in code page 437), " << s.tooLong << " skipped (longer than "
        << TDictionary::MaxWordLength << " letters), " << s.cells << " cells, " << s.bytes
        << " bytes, " << timer.elapsed() << " ms\n";
    return 0;
}

int expand(const QString &dic, QTextStream &out, QTextStream &err)
{
    const QString aff = affixFileOf(dic);
    if (aff.isEmpty()) {
        err << "No affix file beside " << dic << " (the same name ending in .aff).\n";
        return 1;
    }
    const Result expanded
        = HunspellPair::expandFiles(dic, aff, [&](const QString &word) { out << word << '\n'; });
    out.flush();
    if (!expanded) {
        err << expanded.error() << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    WriteLimit::failWritesInsteadOfEnding();
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 1
        && (args.at(0) == QLatin1String("--help") || args.at(0) == QLatin1String("-h")))
        return usage(out, 0);
    if (args.size() < 2)
        return usage(err);

    const QString command = args.at(0);
    if (command == QLatin1String("build") && args.size() == 3)
        return build(args.at(1), args.at(2), out, err);
    if (command == QLatin1String("expand") && args.size() == 2)
        return expand(args.at(1), out, err);
    if (command == QLatin1String("check") && args.size() >= 3)
        return DctCommands::check(args.at(1), args.mid(2), out, err);
    if (command == QLatin1String("suggest") && (args.size() == 3 || args.size() == 4)) {
        int n = DctCommands::DefaultSuggestions;
        if (args.size() == 4) {
            bool ok = false;
            n = args.at(3).toInt(&ok);
            if (!ok) {
                err << "N must be a number from 1 to 255.\n";
                return 2;
            }
        }
        return DctCommands::suggest(args.at(1), args.at(2), n, out, err);
    }
    return usage(err);
}
