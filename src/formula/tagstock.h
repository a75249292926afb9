#pragma once

#include <array>
#include <cstdint>

// One security as the formula engine sees it; the engine owns the meaning of
// the fields, the library copies them bit for bit.
struct TagStock
{
    std::array<std::uint32_t, 32> fields = {};
};
static_assert(sizeof(TagStock) == 32 * 4, "TagStock is 32 plain 32-bit fields");
