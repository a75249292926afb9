#pragma once

#include "formula/tagformularcontent.h"

#include <vector>

// Every formula the host manages.
struct CDFormulaManage
{
    std::vector<TagFormularContent> formulas;
};
