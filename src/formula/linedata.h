#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct StripColor
{
    bool valid = false;
    std::array<std::uint32_t, 3> colors = {};
};

struct Rect
{
    bool valid = false;
    std::array<std::int32_t, 4> values = {};
};

// One converted output line of a formula.
struct LineData
{
    std::uint8_t lineType = 0;
    std::vector<float> series1;
    std::vector<float> series2;
    std::vector<float> series3;
    std::vector<float> series4;
    std::string name;
    std::vector<float> series5;
    std::array<std::int32_t, 4> attributes = {};
    std::string text2;
    int pointCount = 0;
    int extra = 0;
    std::int16_t shortValue = 0;
    StripColor stripColor;
    Rect rect;
};
