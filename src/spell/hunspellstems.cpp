// SPDX-License-Identifier: GPL-3.0-or-later
#include "hunspellstems.h"

namespace Tarnwick {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isCountLine(QStringView line)
{
    line = line.trimmed();
    if (line.isEmpty())
        return false;
    for (QChar c : line) {
        if (!c.isDigit())
            return false;
    }
    return true;
}

} // namespace

std::vector<HunspellStems::Stem> HunspellStems::parse(QStringView text, const AffixRules &rules)
{
    std::vector<Stem> stems;
    bool first = true;
    for (QStringView line : text.split(u'\n')) {
        if (first) {
            first = false;
            if (isCountLine(line))
                continue;
        }
        // A line led by a tab is a comment.
        if (line.startsWith(u'\t'))
            continue;
        // word[/flags][ morphology]; "\/" is a slash of the word.
        Stem stem;
        qsizetype i = 0;
        while (i < line.size() && isBlank(line.at(i)))
            ++i;
        while (i < line.size() && !isBlank(line.at(i)) && line.at(i) != u'/') {
            if (line.at(i) == u'\\' && i + 1 < line.size() && line.at(i + 1) == u'/')
                ++i;
            stem.word += line.at(i++);
        }
        if (i < line.size() && line.at(i) == u'/') {
            const qsizetype start = ++i;
            while (i < line.size() && !isBlank(line.at(i)))
                ++i;
            stem.flags = rules.parseFlags(line.sliced(start, i - start));
        }
        if (!stem.word.isEmpty())
            stems.push_back(std::move(stem));
    }
    return stems;
}

} // namespace Tarnwick
