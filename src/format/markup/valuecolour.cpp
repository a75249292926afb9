#include "format/markup/valuecolour.h"

#include "format/markup/markupcache.h"
#include "format/markup/markupcommon.h"
#include "format/markup/markupcompiled.h"
#include "format/markup/markupreference.h"

#include <ztlib/pubcachecustom.h>

#include <QBrush>

using namespace ZtMarkupDetail;

namespace {

using ColourCache = MarkupCache<CompiledColourRule, &compileColourRule>;

const QStringList* tableEntry(const QString& name)
{
    auto it = PubCacheCustom::mCustomColor.constFind(name);
    if (it != PubCacheCustom::mCustomColor.constEnd())
        return &it.value();
    it = PubCacheCustom::mDefultColor.constFind(name);
    if (it != PubCacheCustom::mDefultColor.constEnd())
        return &it.value();
    return nullptr;
}

}

QPen penFromColourName(const QString& name, Qt::PenStyle style)
{
    if (const QStringList* entry = tableEntry(name))
        return QPen(QBrush(namedColour(entry->value(0))), 1.0, style, Qt::SquareCap, Qt::BevelJoin);
    return QPen(namedColour(name));
}

QString colourTextForName(const QString& name)
{
    const QStringList* entry = tableEntry(name);
    return entry ? entry->value(0) : QString();
}

QColor colourFromSpec(const QString& text)
{
    if (text.startsWith(QLatin1Char('#')))
        return namedColour(text);
    return penFromColourName(text, Qt::SolidLine).color();
}

QColor valueColour(const QVariant& value, const DQDReader* reader, const QString& rule)
{
    std::shared_ptr<const CompiledColourRule> holder;
    return ColourCache::get(rule, holder).evaluate(value, reader);
}

namespace ZtMarkupCache {

int entryCount()
{
    return formatCacheEntries() + ColourCache::size();
}

int capacity()
{
    return kCacheCapacity;
}

int longestCachedText()
{
    return kLongestCachedText;
}

}
