#pragma once

#include <array>
#include <cstdint>
#include <vector>

// One input series set: a leading value and fourteen value series.
struct TagDay
{
    std::int32_t value = 0;
    std::array<std::vector<float>, 14> series;
};
