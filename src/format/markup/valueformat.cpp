#include "format/markup/valueformat.h"

#include "format/markup/markupcache.h"
#include "format/markup/markupcommon.h"
#include "format/markup/markupcompiled.h"
#include "format/markup/markupreference.h"

using namespace ZtMarkupDetail;

namespace {

using FormatCache = MarkupCache<CompiledFormat, &compileFormat>;
using ConditionCache = MarkupCache<CompiledCondition, &compileCondition>;

}

QString formatValue(const QVariant& value, const QString& format)
{
    std::shared_ptr<const CompiledFormat> holder;
    const CompiledFormat& compiled = FormatCache::get(format, holder);
    if (isPlaceholder(value)) {
        const QVariant zero(0);
        return compiled.plans[size_t(compiled.select(zero))].apply(zero);
    }
    return compiled.plans[size_t(compiled.select(value))].apply(value);
}

QString selectConditionalFormat(const QVariant& value, const QString& format)
{
    std::shared_ptr<const CompiledFormat> holder;
    const CompiledFormat& compiled = FormatCache::get(format, holder);
    return compiled.texts.at(compiled.select(value));
}

int formatDecimals(const QVariant& value, const QString& format)
{
    std::shared_ptr<const CompiledFormat> holder;
    const CompiledFormat& compiled = FormatCache::get(format, holder);
    const QVariant v = isPlaceholder(value) ? QVariant(0) : value;
    const FormatPlan& plan = compiled.plans[size_t(compiled.select(v))];
    if (plan.kind != FormatPlan::Number || !(plan.divide || plan.units))
        return -1;
    return plan.decimals;
}

QString formatValueAs(const QVariant& value, const QString& format, int decimals, bool units)
{
    std::shared_ptr<const CompiledFormat> holder;
    const CompiledFormat& compiled = FormatCache::get(format, holder);
    const QVariant v = isPlaceholder(value) ? QVariant(0) : value;
    FormatPlan plan = compiled.plans[size_t(compiled.select(v))];
    if (plan.kind == FormatPlan::Number && (plan.divide || plan.units)) {
        plan.decimals = clampDecimals(decimals);
        plan.units = plan.units || units;
    }
    return plan.apply(v);
}

bool evaluateCondition(const QVariant& value, const QString& condition)
{
    std::shared_ptr<const CompiledCondition> holder;
    return ConditionCache::get(condition, holder).evaluate(value);
}

bool evaluateComparison(const QVariant& value, const QString& term)
{
    return ZtMarkupReference::evaluateComparison(value, term);
}

namespace ZtMarkupDetail {

int formatCacheEntries()
{
    return FormatCache::size() + ConditionCache::size();
}

}
