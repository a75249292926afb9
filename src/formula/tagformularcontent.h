#pragma once

#include <array>
#include <cstdint>
#include <string>

// One formula definition.
struct TagFormularContent
{
    std::array<std::string, 6> texts;
    std::array<std::string, 16> parameters;
    int parameterCount = 0;
    std::array<std::array<std::uint8_t, 16>, 20> blocks = {};  // 320 bytes of engine data
    std::array<std::int32_t, 6> values = {};
};
