#pragma once

#include <cstdint>

// Raw output lines as the formula engine fills them. The library only reads
// them; the engine owns every pointer.
struct tagFLINE
{
    std::uint8_t lineType = 0;
    const float* series1 = nullptr;  // present whenever pointCount > 0
    const float* series2 = nullptr;
    const float* series3 = nullptr;
    const float* series4 = nullptr;
    const char* name = nullptr;
    const float* series5 = nullptr;
    std::int32_t attributes[4] = {0, 0, 0, 0};
    const char* text2 = nullptr;
    std::int32_t pointCount = 0;
    std::int32_t extra = 0;
    std::int16_t shortValue = 0;
    const std::uint32_t* stripColors = nullptr;  // three values
    const std::int32_t* rect = nullptr;          // four values
};

struct tagFLINES
{
    const tagFLINE* lines = nullptr;  // lineCount consecutive records
    std::int32_t lineCount = 0;
};
