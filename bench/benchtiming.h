#pragma once
// Timing for the benchmarks: thread CPU time, and variants that a ratio compares
// run alternately (A, B, A, B ...) in one loop, so a change of load on the shared
// machine falls on both sides alike.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace bench {

// CPU time of the calling thread: waiting for a core is not time the code takes.
inline double threadCpuUs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e6 + double(ts.tv_nsec) / 1e3;
}

inline double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

struct Stats
{
    double median = 0;
    double p10 = 0;
    double p90 = 0;
    double p99 = 0;
};

inline Stats statsOf(const std::vector<double>& v)
{
    return {percentile(v, 0.5), percentile(v, 0.1), percentile(v, 0.9), percentile(v, 0.99)};
}

template <class F>
double timeUs(F&& f)
{
    const double t0 = threadCpuUs();
    f();
    return threadCpuUs() - t0;
}

// Samples of each variant, taken in turn: round r runs variant 0, 1, ... with
// argument r. The first `warmup` rounds are not kept.
inline std::vector<std::vector<double>> interleave(int rounds, const std::vector<std::function<void(int)>>& variants,
                                                   int warmup = 10)
{
    std::vector<std::vector<double>> samples(variants.size());
    for (auto& s : samples)
        s.reserve(size_t(rounds));
    for (int r = -warmup; r < rounds; ++r) {
        for (size_t v = 0; v < variants.size(); ++v) {
            const double t = timeUs([&] { variants[v](r < 0 ? -r : r); });
            if (r >= 0)
                samples[v].push_back(t);
        }
    }
    return samples;
}

// The ratio a / b of two interleaved variants: median of the per-round ratios,
// with the 10th and 90th percentile as its spread.
inline Stats ratioOf(const std::vector<double>& a, const std::vector<double>& b)
{
    std::vector<double> r;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (b[i] > 0)
            r.push_back(a[i] / b[i]);
    }
    return statsOf(r);
}

inline void printTime(const char* name, const Stats& s)
{
    std::printf("  %-44s median %9.1f us  (p10 %9.1f, p90 %9.1f, p99 %9.1f)\n", name, s.median, s.p10, s.p90, s.p99);
}

inline void printRatio(const char* name, const Stats& s, const char* goal)
{
    std::printf("ratio %-38s %6.3f  (p10 %.3f, p90 %.3f)  goal %s\n", name, s.median, s.p10, s.p90, goal);
}

}
