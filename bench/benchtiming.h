// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace Tarnwick::BenchTiming {

// The median and the fastest run, in milliseconds: the machine may be busy with other work.
struct Times
{
    double median = 0;
    double fastest = 0;
};

inline void print(const char *what, const Times &t, int width = 40)
{
    std::printf("%-*s %8.2f %8.2f\n", width, what, t.median, t.fastest);
}

// Times of act, with prepare run untimed before each repetition.
inline Times timeIt(int repetitions, const std::function<void()> &prepare,
                    const std::function<void()> &act)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        prepare();
        QElapsedTimer clock;
        clock.start();
        act();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return { times[times.size() / 2], times.front() };
}

} // namespace Tarnwick::BenchTiming
