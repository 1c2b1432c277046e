// SPDX-License-Identifier: GPL-3.0-or-later
#include "similarity.h"

namespace Tarnwick {

namespace {

// Positions count from 1 as the ranges do. A run advanced past its end is
// compared against values that match nothing instead of reading beyond the
// word.
class Matcher
{
public:
    Matcher(QByteArrayView w, QByteArrayView c)
        : m_w(w)
        , m_c(c)
    {
    }

    int w(qsizetype i) const { return i >= 1 && i <= m_w.size() ? quint8(m_w[i - 1]) : -1; }
    int c(qsizetype j) const { return j >= 1 && j <= m_c.size() ? quint8(m_c[j - 1]) : -2; }

    void match(qsizetype a, qsizetype b, qsizetype x, qsizetype y)
    {
        if (a == b || x == y)
            return;
        qsizetype best = 0;
        qsizetype fi = 0;
        qsizetype fj = 0;
        qsizetype upperB = b;
        qsizetype upperY = y;
        qsizetype i = a - 1;
        while (i < upperB) {
            ++i;
            qsizetype j = x - 1;
            while (j < upperY) {
                ++j;
                if (w(i) != c(j))
                    continue;
                qsizetype l = 0;
                while (j + l <= upperY && i + l <= upperB && w(i + l) == c(j + l))
                    ++l;
                if (l > best) {
                    fi = i;
                    fj = j;
                    best = l;
                    upperB = b - best - 1;
                    upperY = y - best - 1;
                    i += l;
                }
                j += l;
            }
        }
        if (best > 0) {
            m_matches += 2 * best;
            match(a, fi - 1, x, fj - 1);
            match(fi + best, b, fj + best, y);
        }
    }

    qsizetype matches() const { return m_matches; }

private:
    QByteArrayView m_w;
    QByteArrayView m_c;
    qsizetype m_matches = 0;
};

} // namespace

int Similarity::score(QByteArrayView word, QByteArrayView candidate)
{
    const qsizetype total = word.size() + candidate.size();
    if (total == 0)
        return 0;
    Matcher matcher(word, candidate);
    matcher.match(1, word.size(), 1, candidate.size());
    return int(matcher.matches() * 100 / total);
}

} // namespace Tarnwick
