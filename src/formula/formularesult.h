#pragma once

#include "formula/formularesultbase.h"
#include "ztcontrollib_global.h"

class ZTCONTROLLIB_EXPORT FormulaResult : public FormulaResultBase
{
public:
    FormulaResult() = default;
    FormulaResult(const FormulaResult&) = default;
    FormulaResult(FormulaResult&&) = default;
    FormulaResult& operator=(const FormulaResult&) = default;
    FormulaResult& operator=(FormulaResult&&) = default;
    ~FormulaResult() override;

    // Appends the engine's lines; lineCount keeps only this call's count.
    void parseFromFline(tagFLINES& lines) override;

    // False for the engine's missing-value marker (all 32 bits set).
    static bool CheckValue(float value);
};
