#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QVector>

class DQDReader;
class QPainter;

// A grid-only cell text ("!!..."): stacked bars of row values with a text over them.
//
//   !![box:KEY:RULE,KEY:RULE...[max:M][vpis:l|r|c][fmt:TEXT/fmt]/box]
//
// Each KEY:RULE is one bar segment: the row's value of KEY, coloured by the colour
// rule RULE; a value of M fills the cell (without max the segments share the cell).
// vpis places the text (left, right or centre) and the bars grow from the other
// side. TEXT is a value-format text in which [@KEY;FORMAT] stands for the row's
// value of KEY formatted with FORMAT.
class ZtGridBarCell
{
public:
    enum class TextSide { Left, Right, Centre };

    struct Segment
    {
        unsigned int key = 0;
        QString rule;
    };

    static ZtGridBarCell parse(const QString& format);

    const QVector<Segment>& segments() const { return mSegments; }
    double max() const { return mMax; }
    TextSide textSide() const { return mTextSide; }
    QString textFormat() const { return mTextFormat; }

    // Widths in pixels of the segments for a cell of the given width.
    QVector<int> segmentWidths(const DQDReader& row, int cellWidth) const;
    QString text(const DQDReader& row) const;
    void paint(QPainter* painter, const QRect& cell, const DQDReader& row, const QColor& textColour) const;

private:
    QVector<Segment> mSegments;
    double mMax = 0;
    TextSide mTextSide = TextSide::Right;
    QString mTextFormat;
};
