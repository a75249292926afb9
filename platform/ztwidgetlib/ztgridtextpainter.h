#pragma once

#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QStaticText>
#include <QString>
#include <QVector>

class QPainter;
class QRect;

// Draws the short texts of grid cells without laying them out on every paint.
// Plain ASCII texts (prices, ratios, codes) are placed glyph by glyph from a
// per-font advance table; other texts are laid out once and kept.
class ZtGridTextPainter
{
public:
    void setFont(const QFont& font);
    int textWidth(const QString& text);
    // The text inside rect, vertically centred, horizontally by the alignment.
    void draw(QPainter& painter, const QRect& rect, Qt::Alignment alignment, const QString& text);

private:
    bool asciiRun(const QString& text, QVector<quint32>* glyphs, qreal* width) const;
    const QStaticText& staticText(const QString& text);

    QFont mFont;
    QRawFont mRaw;
    bool mAsciiReady = false;
    quint32 mGlyph[128] = {};
    qreal mAdvance[128] = {};
    int mAscent = 0;
    int mHeight = 0;
    QHash<QString, QStaticText> mStatic;
    QVector<quint32> mGlyphBuffer;
    QVector<QPointF> mPositionBuffer;
};
