#pragma once

#include "formula/linedata.h"
#include "formula/tagfline.h"
#include "ztcontrollib_global.h"

#include <vector>

class ZTCONTROLLIB_EXPORT FormulaResultBase
{
public:
    FormulaResultBase() = default;
    FormulaResultBase(const FormulaResultBase&) = default;
    FormulaResultBase(FormulaResultBase&&) = default;
    FormulaResultBase& operator=(const FormulaResultBase&) = default;
    FormulaResultBase& operator=(FormulaResultBase&&) = default;

    // Declared first: the parse is the first entry of the table hosts call through.
    virtual void parseFromFline(tagFLINES& lines) = 0;
    virtual ~FormulaResultBase();

    std::vector<LineData> lines;
    int lineCount = 0;
};
