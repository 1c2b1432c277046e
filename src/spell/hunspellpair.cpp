// SPDX-License-Identifier: GPL-3.0-or-later
#include "hunspellpair.h"

#include "affixrules.h"
#include "hunspellstems.h"
#include "platform/fileops.h"

#include <QFile>
#include <QSet>

namespace Tarnwick {

namespace {

using Affix = AffixRules::Affix;
using Flag = AffixRules::Flag;
using Flags = AffixRules::Flags;

// Conditions tried per word allowed, beyond a fixed start: real dictionaries
// try a few per word they give; rules built to try millions of affixes on
// every stem without a match are stopped as surely as an oversized list.
constexpr qint64 TriesPerWord = 64;
constexpr qint64 FreeTries = 1'000'000;
// The largest .aff or .dic file read; the biggest real ones hold a few MB.
constexpr qint64 MaxFileBytes = qint64(64) << 20;

QString describe(const QString &name)
{
    return name.isEmpty() ? QStringLiteral("The dictionary")
                          : QStringLiteral("The dictionary %1").arg(name);
}

bool isStorableWord(const QString &word)
{
    for (QChar c : word) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph || c.isSpace())
            return false;
    }
    return !word.isEmpty();
}

QString withSuffix(const QString &stem, const Affix &suffix)
{
    return stem.chopped(suffix.strip.size()) + suffix.text;
}

QString withPrefix(const QString &stem, const Affix &prefix)
{
    return prefix.text + stem.sliced(prefix.strip.size());
}

// Expands one pair. Every loop runs over a list read from the files and no
// deeper than two suffixes and a prefix, and each try of a condition counts
// against the budget, so no input keeps it busy for long.
class Expansion final
{
public:
    Expansion(const AffixRules &rules, const QString &name, const HunspellPair::WordSink &sink,
              qint64 maxWords)
        : m_rules(rules)
        , m_name(name)
        , m_sink(sink)
        , m_maxWords(maxWords)
        , m_maxTries(FreeTries + TriesPerWord * std::max<qint64>(maxWords, 0))
    {
    }

    void forbid(const QString &word) { m_forbidden.insert(word); }

    // False once the expansion has been stopped; error() says why.
    bool expandStem(const HunspellStems::Stem &stem);
    QString error() const { return m_error; }

private:
    bool has(const Flags &flags, Flag flag) const { return AffixRules::has(flags, flag); }
    // An affix whose continuation bars it from standing without another one.
    bool needsMore(const Affix &affix) const
    {
        return has(affix.continuation, m_rules.needAffix())
            || has(affix.continuation, m_rules.circumfix());
    }
    bool onlyInCompound(const Affix &affix) const
    {
        return has(affix.continuation, m_rules.onlyInCompound());
    }
    bool circumfix(const Affix &affix) const
    {
        return has(affix.continuation, m_rules.circumfix());
    }
    bool tried(qint64 tries = 1);
    bool give(const QString &word);
    bool addPrefixes(const QString &word, const Flags &stemFlags, const Affix &suffix,
                     const Affix *innerSuffix);

    const AffixRules &m_rules;
    const QString m_name;
    const HunspellPair::WordSink &m_sink;
    const qint64 m_maxWords;
    const qint64 m_maxTries;
    QSet<QString> m_forbidden;
    qint64 m_words = 0;
    qint64 m_tries = 0;
    QString m_error;
};

bool Expansion::tried(qint64 tries)
{
    m_tries += tries;
    if (m_tries <= m_maxTries)
        return true;
    m_error = QStringLiteral("%1 has affix rules that take too long to expand; it is not used.")
                  .arg(describe(m_name));
    return false;
}

bool Expansion::give(const QString &word)
{
    if (!isStorableWord(word) || m_forbidden.contains(word))
        return true;
    if (++m_words > m_maxWords) {
        m_error = QStringLiteral("%1 holds more than %2 words once expanded; it is not used.")
                      .arg(describe(m_name))
                      .arg(m_maxWords);
        return false;
    }
    m_sink(word);
    return true;
}

bool Expansion::expandStem(const HunspellStems::Stem &stem)
{
    const Flags &flags = stem.flags;
    if (has(flags, m_rules.forbiddenWord()) || has(flags, m_rules.onlyInCompound()))
        return true;
    if (!has(flags, m_rules.needAffix()) && !give(stem.word))
        return false;

    for (Flag flag : flags) {
        for (const Affix &suffix : m_rules.suffixes(flag)) {
            if (!tried())
                return false;
            if (onlyInCompound(suffix) || !m_rules.suffixApplies(suffix, stem.word))
                continue;
            const QString word = withSuffix(stem.word, suffix);
            if (!needsMore(suffix) && !give(word))
                return false;
            if (suffix.crossProduct && !addPrefixes(word, flags, suffix, nullptr))
                return false;
            // A second suffix the first one allows; no further.
            if (!tried(qint64(suffix.continuation.size())))
                return false;
            for (Flag outerFlag : suffix.continuation) {
                for (const Affix &outer : m_rules.suffixes(outerFlag)) {
                    if (!tried())
                        return false;
                    if (onlyInCompound(outer) || !m_rules.suffixApplies(outer, word))
                        continue;
                    const QString twofold = withSuffix(word, outer);
                    if (!needsMore(outer) && !circumfix(suffix) && !give(twofold))
                        return false;
                    if (suffix.crossProduct && outer.crossProduct
                        && !addPrefixes(twofold, flags, outer, &suffix))
                        return false;
                }
            }
        }
    }

    for (Flag flag : flags) {
        for (const Affix &prefix : m_rules.prefixes(flag)) {
            if (!tried())
                return false;
            if (onlyInCompound(prefix) || !m_rules.prefixApplies(prefix, stem.word))
                continue;
            if (!needsMore(prefix) && !give(withPrefix(stem.word, prefix)))
                return false;
            if (!prefix.crossProduct)
                continue;
            // Suffixes the prefix allows where the stem itself does not.
            if (!tried(qint64(prefix.continuation.size())))
                return false;
            for (Flag suffixFlag : prefix.continuation) {
                if (has(flags, suffixFlag))
                    continue;
                for (const Affix &suffix : m_rules.suffixes(suffixFlag)) {
                    if (!tried())
                        return false;
                    if (!suffix.crossProduct || onlyInCompound(suffix)
                        || circumfix(suffix) != circumfix(prefix)
                        || !m_rules.suffixApplies(suffix, stem.word))
                        continue;
                    const QString word = withSuffix(stem.word, suffix);
                    if (!tried())
                        return false;
                    if (m_rules.prefixApplies(prefix, word) && !give(withPrefix(word, prefix)))
                        return false;
                }
            }
        }
    }
    return true;
}

// Prefixes on a suffixed word: those of the stem and those the suffixes allow,
// when both sides are cross products. The prefix's condition is read on the
// suffixed word, as Hunspell checks it.
bool Expansion::addPrefixes(const QString &word, const Flags &stemFlags, const Affix &suffix,
                            const Affix *innerSuffix)
{
    const auto addFrom = [&](Flag flag) {
        for (const Affix &prefix : m_rules.prefixes(flag)) {
            if (!tried())
                return false;
            if (!prefix.crossProduct || onlyInCompound(prefix))
                continue;
            const bool suffixCircumfix
                = circumfix(suffix) || (innerSuffix && circumfix(*innerSuffix));
            if (circumfix(prefix) != suffixCircumfix || !m_rules.prefixApplies(prefix, word))
                continue;
            if (!give(withPrefix(word, prefix)))
                return false;
        }
        return true;
    };
    const Affix &allowing = innerSuffix ? *innerSuffix : suffix;
    if (!tried(qint64(stemFlags.size() + allowing.continuation.size())))
        return false;
    for (Flag flag : stemFlags) {
        if (m_rules.isPrefixFlag(flag) && !addFrom(flag))
            return false;
    }
    for (Flag flag : allowing.continuation) {
        if (!has(stemFlags, flag) && m_rules.isPrefixFlag(flag) && !addFrom(flag))
            return false;
    }
    return true;
}

Result expandPair(const QByteArray &dic, const QByteArray &aff, const QString &name,
                  const HunspellPair::WordSink &sink, const HunspellPair::Progress &progress,
                  qint64 maxWords)
{
    AffixRules rules;
    if (Result parsed = rules.parse(aff); !parsed)
        return Result::failure(QStringLiteral("%1: %2").arg(describe(name), parsed.error()));
    const std::vector<HunspellStems::Stem> stems = HunspellStems::parse(rules.decode(dic), rules);

    Expansion expansion(rules, name, sink, maxWords);
    for (const HunspellStems::Stem &stem : stems) {
        if (AffixRules::has(stem.flags, rules.forbiddenWord()))
            expansion.forbid(stem.word);
    }
    int reported = -1;
    const qsizetype total = qsizetype(stems.size());
    for (qsizetype i = 0; i <= total; ++i) {
        const int percent = total == 0 ? 100 : int(i * 100 / total);
        if (percent != reported && progress) {
            reported = percent;
            if (!progress(percent))
                return Result::failure(QStringLiteral("Cancelled."));
        }
        if (i < total && !expansion.expandStem(stems[size_t(i)]))
            return Result::failure(expansion.error());
    }
    return Result::success();
}

Expected<QByteArray> readFile(const QString &path)
{
    FileOps::BoundedRead read = FileOps::readAtMost(path, MaxFileBytes);
    if (!read.error.isEmpty())
        return Expected<QByteArray>::failure(
            QStringLiteral("Cannot read %1: %2").arg(path, read.error));
    if (read.tooLarge)
        return Expected<QByteArray>::failure(
            QStringLiteral("%1 is larger than %2 MB; it is not a dictionary this program reads.")
                .arg(path)
                .arg(MaxFileBytes >> 20));
    return std::move(read.bytes);
}

} // namespace

Result HunspellPair::expand(const QByteArray &dic, const QByteArray &aff, const WordSink &sink,
                            const Progress &progress, qint64 maxWords)
{
    return expandPair(dic, aff, QString(), sink, progress, maxWords);
}

Result HunspellPair::expandFiles(const QString &dicPath, const QString &affPath,
                                 const WordSink &sink, const Progress &progress, qint64 maxWords)
{
    const Expected<QByteArray> dic = readFile(dicPath);
    if (!dic)
        return Result::failure(dic.error());
    const Expected<QByteArray> aff = readFile(affPath);
    if (!aff)
        return Result::failure(aff.error());
    return expandPair(*dic, *aff, dicPath, sink, progress, maxWords);
}

Expected<DctBuilder::Statistics>
HunspellPair::buildDictionary(const QString &dicPath, const QString &affPath,
                              const QString &outPath, const Progress &progress, qint64 maxWords)
{
    using Failure = Expected<DctBuilder::Statistics>;
    DctBuilder builder;
    qint64 handed = 0;
    // Expanding takes about a third of the time, building the file the rest.
    constexpr int ExpandShare = 35;
    const Progress expanding = !progress ? Progress() : [&progress](int percent) {
        return progress(percent * ExpandShare / 100);
    };
    const DctBuilder::Progress building
        = !progress ? DctBuilder::Progress() : [&progress](int percent) {
              return progress(ExpandShare + percent * (100 - ExpandShare) / 100);
          };
    const Result expanded = expandFiles(
        dicPath, affPath,
        [&](const QString &word) {
            ++handed;
            builder.addWord(word);
        },
        expanding, maxWords);
    if (!expanded)
        return Failure::failure(expanded.error());
    if (handed > 0 && qint64(builder.statistics().skipped) * 2 > handed)
        return Failure::failure(
            QStringLiteral("The dictionary %1 is in a language whose letters the spell checker "
                           "cannot store: %2 of its %3 words would be left out. It is not built.")
                .arg(dicPath)
                .arg(builder.statistics().skipped)
                .arg(handed));
    if (Result written = builder.write(outPath, building); !written)
        return Failure::failure(written.error());
    return builder.statistics();
}

} // namespace Tarnwick
