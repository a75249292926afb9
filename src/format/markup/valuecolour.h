#pragma once

#include "format/markup/ztformat_global.h"

#include <QColor>
#include <QPen>
#include <QString>
#include <QVariant>

class DQDReader;

// Colour names resolve through the user's colour table first, then the default
// one (PubCacheCustom); a name in neither is read as a colour text.
ZTFORMAT_EXPORT QPen penFromColourName(const QString& name, Qt::PenStyle style = Qt::SolidLine);
ZTFORMAT_EXPORT QString colourTextForName(const QString& name);
// "#..." is a colour text, anything else a colour name.
ZTFORMAT_EXPORT QColor colourFromSpec(const QString& text);
// The colour of a value by a colour rule ("case:0", "bos:12010", "sys:up", ...).
// The reader may be null; it then reads as an empty record.
ZTFORMAT_EXPORT QColor valueColour(const QVariant& value, const DQDReader* reader, const QString& rule);
