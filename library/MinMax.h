// The smaller and the larger of two signed 32-bit integers.
#pragma once

#include <cstdint>

inline std::int32_t IntMin(std::int32_t a, std::int32_t b)
{
    return a < b ? a : b;
}
inline std::int32_t IntMax(std::int32_t a, std::int32_t b)
{
    return a > b ? a : b;
}
