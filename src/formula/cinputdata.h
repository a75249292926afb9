#pragma once

#include "formula/tagday.h"
#include "formula/tagstock.h"

#include <array>
#include <cstdint>
#include <vector>

// Plain engine records whose fields only the engine reads.
struct InputRecord20
{
    std::array<std::uint8_t, 20> bytes = {};
};
static_assert(sizeof(InputRecord20) == 20, "20-byte record");

struct InputRecord480
{
    std::array<std::uint8_t, 480> bytes = {};
};
static_assert(sizeof(InputRecord480) == 480, "480-byte record");

struct InputGroup
{
    std::array<std::int32_t, 3> values = {};
    std::vector<InputRecord20> records;
};

// The inputs of one computation.
struct CInputData
{
    std::vector<TagDay> days;
    std::vector<std::vector<InputRecord20>> recordLists;
    std::vector<InputGroup> groups;
    std::vector<TagStock> stocks;
    std::vector<InputRecord480> blocks;
    // The engine sets this before every run, so the default constructor does
    // not; value-initialise (CInputData{}) to get zero.
    std::int64_t stamp;
};
