#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The user's colour tables and the per-security tables the data library keeps
// for painting. Read and written on the GUI thread only.
class PubCacheCustom
{
public:
    // Colour name -> list whose first string is a colour text ("#RRGGBB" or an SVG name).
    static QHash<QString, QStringList> mCustomColor;
    static QHash<QString, QStringList> mDefultColor;
    // Codes that are in the watchlist.
    static QList<QString> mStockCodeList;
    // Codes with a quick alert.
    static QHash<QString, bool> mYjsStock;
    // Code -> mark ("1" to "9").
    static QHash<QString, QString> mStockSign;

    // The built-in colour table of a dark terminal.
    static QHash<QString, QStringList> defaultColours();
    static void resetColours();
};
