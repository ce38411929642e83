// What the benchmarks measure with: processor time (a busy machine disturbs it less than the clock)
// and the median of several runs.
#pragma once

#include <algorithm>
#include <ctime>
#include <vector>

// Processor time of the process (the embedded database engine works in it too), in milliseconds.
inline double CpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

inline double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}
