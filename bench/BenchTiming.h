// What the benchmarks measure with: processor time (a busy machine disturbs it less than the clock)
// and the median of several runs.
#pragma once

#include <QVariant>

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

// The data of a value, as a row's memory is compared with it: text at its length, 8 bytes for doubles,
// 64-bit integers and timestamps, 4 for integers and dates.
inline size_t DataBytes(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QString:
        return size_t(v.toString().size());
    case QMetaType::Int:
    case QMetaType::QDate:
        return 4;
    default:
        return v.isValid() ? 8 : 0;
    }
}
