// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/lineends.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace Tarnwick {

namespace {

QList<QStringView> splitLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(u'\n', from);
        if (at < 0) {
            lines.append(text.sliced(from));
            return lines;
        }
        lines.append(text.sliced(from, at - from));
        from = at + 1;
    }
}

QLatin1StringView spelling(LineEnd end)
{
    switch (end) {
    case LineEnd::CRLF:
        return QLatin1StringView("\r\n");
    case LineEnd::CR:
        return QLatin1StringView("\r");
    case LineEnd::LF:
        break;
    }
    return QLatin1StringView("\n");
}

// Pairs the lines of the text as read (old) with those of the text now (now):
// common first and last lines, then lines that occur once in both, in order,
// recursively. A stretch without such an anchor pairs line by line when both
// sides have the same number of lines (lines changed in place), else not at all.
class LineMatcher
{
public:
    LineMatcher(const QList<QStringView> &old, const QList<QStringView> &now,
                const std::vector<qsizetype> &wanted)
        : m_old(old)
        , m_now(now)
        , m_wanted(wanted)
        , m_partner(old.size(), -1)
        // Ample for real edits; a pathological text stops refining rather than
        // taking quadratic time.
        , m_budget(16 * (old.size() + now.size()) + 4096)
    {
    }

    // For each old line, the index of its partner in now, or -1.
    QList<qsizetype> match()
    {
        std::vector<Segment> todo { { 0, m_old.size(), 0, m_now.size() } };
        while (!todo.empty()) {
            Segment s = todo.back();
            todo.pop_back();
            refine(s, todo);
        }
        return m_partner;
    }

private:
    struct Segment
    {
        qsizetype oldFrom, oldTo, nowFrom, nowTo;
    };

    void pair(qsizetype o, qsizetype n) { m_partner[o] = n; }

    // Only stretches holding a remembered line end need the work.
    bool wanted(qsizetype from, qsizetype to) const
    {
        const auto it = std::lower_bound(m_wanted.begin(), m_wanted.end(), from);
        return it != m_wanted.end() && *it < to;
    }

    void refine(Segment s, std::vector<Segment> &todo)
    {
        while (s.oldFrom < s.oldTo && s.nowFrom < s.nowTo && m_old[s.oldFrom] == m_now[s.nowFrom])
            pair(s.oldFrom++, s.nowFrom++);
        while (s.oldFrom < s.oldTo && s.nowFrom < s.nowTo
               && m_old[s.oldTo - 1] == m_now[s.nowTo - 1])
            pair(--s.oldTo, --s.nowTo);
        if (s.oldFrom == s.oldTo || s.nowFrom == s.nowTo || !wanted(s.oldFrom, s.oldTo))
            return;

        m_budget -= (s.oldTo - s.oldFrom) + (s.nowTo - s.nowFrom);
        std::vector<std::pair<qsizetype, qsizetype>> anchors;
        if (m_budget >= 0)
            anchors = uniqueCommonLines(s);
        if (anchors.empty()) {
            if (s.oldTo - s.oldFrom == s.nowTo - s.nowFrom) {
                for (qsizetype i = 0; i < s.oldTo - s.oldFrom; ++i)
                    pair(s.oldFrom + i, s.nowFrom + i);
            }
            return;
        }
        qsizetype oldFrom = s.oldFrom, nowFrom = s.nowFrom;
        for (const auto &[o, n] : anchors) {
            pair(o, n);
            todo.push_back({ oldFrom, o, nowFrom, n });
            oldFrom = o + 1;
            nowFrom = n + 1;
        }
        todo.push_back({ oldFrom, s.oldTo, nowFrom, s.nowTo });
    }

    // Lines found exactly once on each side, longest run in the same order.
    std::vector<std::pair<qsizetype, qsizetype>> uniqueCommonLines(const Segment &s) const
    {
        struct Count
        {
            int inOld = 0;
            int inNow = 0;
            qsizetype oldAt = -1;
        };
        QHash<QStringView, Count> counts;
        counts.reserve(s.oldTo - s.oldFrom);
        for (qsizetype o = s.oldFrom; o < s.oldTo; ++o) {
            Count &c = counts[m_old[o]];
            ++c.inOld;
            c.oldAt = o;
        }
        for (qsizetype n = s.nowFrom; n < s.nowTo; ++n) {
            const auto it = counts.find(m_now[n]);
            if (it != counts.end())
                ++it->inNow;
        }
        std::vector<std::pair<qsizetype, qsizetype>> candidates; // in the order of now
        for (qsizetype n = s.nowFrom; n < s.nowTo; ++n) {
            const auto it = counts.constFind(m_now[n]);
            if (it != counts.cend() && it->inOld == 1 && it->inNow == 1)
                candidates.emplace_back(it->oldAt, n);
        }

        // Longest increasing run of old positions (patience sorting).
        std::vector<size_t> tails; // index into candidates of the smallest tail per length
        std::vector<size_t> previous(candidates.size(), size_t(-1));
        for (size_t i = 0; i < candidates.size(); ++i) {
            const auto at = std::lower_bound(
                tails.begin(), tails.end(), candidates[i].first,
                [&](size_t t, qsizetype value) { return candidates[t].first < value; });
            if (at != tails.begin())
                previous[i] = *(at - 1);
            if (at == tails.end())
                tails.push_back(i);
            else
                *at = i;
        }
        std::vector<std::pair<qsizetype, qsizetype>> run;
        for (size_t i = tails.empty() ? size_t(-1) : tails.back(); i != size_t(-1); i = previous[i])
            run.push_back(candidates[i]);
        std::reverse(run.begin(), run.end());
        return run;
    }

    const QList<QStringView> &m_old;
    const QList<QStringView> &m_now;
    const std::vector<qsizetype> &m_wanted;
    QList<qsizetype> m_partner;
    qsizetype m_budget;
};

} // namespace

LineEnds LineEnds::read(QStringView raw, QString *text, LineEnd *main)
{
    QList<LineEnd> ends;
    text->clear();
    text->reserve(raw.size());
    qsizetype from = 0;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char16_t c = raw[i].unicode();
        if (c != u'\n' && c != u'\r')
            continue;
        text->append(raw.sliced(from, i - from));
        text->append(QLatin1Char('\n'));
        if (c == u'\n') {
            ends.append(LineEnd::LF);
        } else if (i + 1 < raw.size() && raw[i + 1] == u'\n') {
            ends.append(LineEnd::CRLF);
            ++i;
        } else {
            ends.append(LineEnd::CR);
        }
        from = i + 1;
    }
    text->append(raw.sliced(from));

    const auto lf = ends.count(LineEnd::LF);
    const auto crlf = ends.count(LineEnd::CRLF);
    const auto cr = ends.count(LineEnd::CR);
    if (lf >= crlf && lf >= cr)
        *main = LineEnd::LF;
    else if (crlf >= cr)
        *main = LineEnd::CRLF;
    else
        *main = LineEnd::CR;
    return fromLineEnds(*text, ends, *main);
}

LineEnds LineEnds::fromLineEnds(QStringView text, const QList<LineEnd> &ends, LineEnd main)
{
    LineEnds result;
    for (qsizetype line = 0; line < ends.size(); ++line) {
        if (ends[line] != main)
            result.m_exceptions.append({ line, ends[line] });
    }
    if (!result.m_exceptions.isEmpty())
        result.m_text = text.toString();
    return result;
}

QList<LineEnd> LineEnds::resolve(QStringView text, LineEnd main) const
{
    QList<LineEnd> ends(text.count(u'\n'), main);
    if (m_exceptions.isEmpty())
        return ends;
    const QList<QStringView> old = splitLines(m_text);
    const QList<QStringView> now = splitLines(text);
    std::vector<qsizetype> wanted;
    wanted.reserve(m_exceptions.size());
    for (const auto &exception : m_exceptions)
        wanted.push_back(exception.first);
    const QList<qsizetype> partner = LineMatcher(old, now, wanted).match();
    for (const auto &[line, end] : m_exceptions) {
        const qsizetype n = line < partner.size() ? partner[line] : -1;
        if (n >= 0 && n < ends.size()) // the last line of now has no line end
            ends[n] = end;
    }
    // A CR before an empty line ending in LF would read back as one CR LF and
    // lose that line: such a CR is written as CR LF.
    for (qsizetype n = 0; n + 1 < ends.size(); ++n) {
        if (ends[n] == LineEnd::CR && ends[n + 1] == LineEnd::LF && now[n + 1].isEmpty())
            ends[n] = LineEnd::CRLF;
    }
    return ends;
}

QString LineEnds::write(QStringView text, LineEnd main) const
{
    if (m_exceptions.isEmpty() && main == LineEnd::LF)
        return text.toString();
    const QList<LineEnd> ends = resolve(text, main);
    QString result;
    result.reserve(text.size() + ends.size());
    qsizetype from = 0;
    for (const LineEnd end : ends) {
        const qsizetype at = text.indexOf(u'\n', from);
        result.append(text.sliced(from, at - from));
        result.append(spelling(end));
        from = at + 1;
    }
    result.append(text.sliced(from));
    return result;
}

LineEnds LineEnds::written(QStringView text, LineEnd main) const
{
    return fromLineEnds(text, resolve(text, main), main);
}

} // namespace Tarnwick
