#pragma once

#include "formula/tagformularcontent.h"

#include <vector>

// The formulas of one module.
struct ModuleFormular
{
    std::vector<TagFormularContent> formulas;
};
