#include "formula/formularesult.h"

#include <cstring>

namespace {

std::vector<float> copySeries(const float* values, int count)
{
    if (!values || count <= 0)
        return {};
    return std::vector<float>(values, values + count);
}

std::string copyText(const char* text)
{
    return text ? std::string(text) : std::string();
}

}

FormulaResult::~FormulaResult() = default;

void FormulaResult::parseFromFline(tagFLINES& source)
{
    lineCount = source.lineCount;
    if (source.lineCount <= 0 || !source.lines)
        return;
    lines.reserve(lines.size() + static_cast<std::size_t>(source.lineCount));
    for (int i = 0; i < source.lineCount; ++i) {
        const tagFLINE& raw = source.lines[i];
        const int n = raw.pointCount;
        LineData line;
        line.lineType = raw.lineType;
        // A missing first series leaves series1 empty instead of reading through null.
        line.series1 = copySeries(raw.series1, n);
        line.series2 = copySeries(raw.series2, n);
        line.series3 = copySeries(raw.series3, n);
        line.series4 = copySeries(raw.series4, n);
        line.series5 = copySeries(raw.series5, n);
        line.name = copyText(raw.name);
        for (int a = 0; a < 4; ++a)
            line.attributes[a] = raw.attributes[a];
        line.text2 = copyText(raw.text2);
        line.pointCount = raw.pointCount;
        line.extra = raw.extra;
        line.shortValue = raw.shortValue;
        line.stripColor.valid = raw.stripColors != nullptr;
        if (raw.stripColors)
            std::memcpy(line.stripColor.colors.data(), raw.stripColors, sizeof(line.stripColor.colors));
        line.rect.valid = raw.rect != nullptr;
        if (raw.rect)
            std::memcpy(line.rect.values.data(), raw.rect, sizeof(line.rect.values));
        lines.push_back(std::move(line));
    }
}

bool FormulaResult::CheckValue(float value)
{
    std::uint32_t bits = 0;
    static_assert(sizeof(bits) == sizeof(value), "float must be 32 bits");
    std::memcpy(&bits, &value, sizeof(bits));
    return bits != 0xFFFFFFFFu;
}
