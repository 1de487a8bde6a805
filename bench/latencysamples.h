#pragma once

// Timing of one step repeated many times, reported as median and 90th
// percentile in microseconds: the shape every colour-apply bench prints.
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace LatencySamples {

inline std::vector<qint64> measure(int rounds, const std::function<void(int)> &step)
{
    std::vector<qint64> samples;
    samples.reserve(static_cast<size_t>(rounds));
    QElapsedTimer timer;
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        step(i);
        samples.push_back(timer.nsecsElapsed());
    }
    return samples;
}

inline void report(const char *what, std::vector<qint64> samples)
{
    std::sort(samples.begin(), samples.end());
    const double median = static_cast<double>(samples[samples.size() / 2]) / 1000.0;
    const double p90 = static_cast<double>(samples[samples.size() * 9 / 10]) / 1000.0;
    std::printf("%-58s median %8.1f us   p90 %8.1f us   (n=%zu)\n", what, median, p90, samples.size());
}

} // namespace LatencySamples
