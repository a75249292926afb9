#include "ztgridtextpainter.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QRect>
#include <QtMath>

namespace {

// Enough for every distinct name and label of a few screens.
constexpr int kStaticLimit = 4096;

}

void ZtGridTextPainter::setFont(const QFont& font)
{
    if (font == mFont && mHeight > 0)
        return;
    mFont = font;
    mStatic.clear();
    const QFontMetrics fm(font);
    mAscent = fm.ascent();
    mHeight = fm.height();
    mRaw = QRawFont::fromFont(font, QFontDatabase::Latin);
    mAsciiReady = false;
    if (!mRaw.isValid())
        return;
    QString ascii;
    for (int c = 32; c < 127; ++c)
        ascii.append(QChar(c));
    const QVector<quint32> glyphs = mRaw.glyphIndexesForString(ascii);
    if (glyphs.size() != ascii.size())
        return;
    const QVector<QPointF> advances = mRaw.advancesForGlyphIndexes(glyphs);
    for (int i = 0; i < glyphs.size(); ++i) {
        mGlyph[32 + i] = glyphs.at(i);
        mAdvance[32 + i] = advances.value(i).x();
    }
    mAsciiReady = mRaw.supportsCharacter(QLatin1Char('0'));
}

bool ZtGridTextPainter::asciiRun(const QString& text, QVector<quint32>* glyphs, qreal* width) const
{
    if (!mAsciiReady)
        return false;
    qreal w = 0;
    const QChar* s = text.constData();
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const ushort u = s[i].unicode();
        if (u < 32 || u >= 127 || mGlyph[u] == 0)
            return false;
        w += mAdvance[u];
    }
    if (glyphs) {
        glyphs->resize(n);
        for (int i = 0; i < n; ++i)
            (*glyphs)[i] = mGlyph[s[i].unicode()];
    }
    *width = w;
    return true;
}

const QStaticText& ZtGridTextPainter::staticText(const QString& text)
{
    auto it = mStatic.find(text);
    if (it == mStatic.end()) {
        if (mStatic.size() >= kStaticLimit)
            mStatic.clear();
        QStaticText st(text);
        st.setTextFormat(Qt::PlainText);
        st.setPerformanceHint(QStaticText::AggressiveCaching);
        st.prepare(QTransform(), mFont);
        it = mStatic.insert(text, st);
    }
    return it.value();
}

int ZtGridTextPainter::textWidth(const QString& text)
{
    qreal w = 0;
    if (asciiRun(text, nullptr, &w))
        return qCeil(w);
    return qCeil(staticText(text).size().width());
}

void ZtGridTextPainter::draw(QPainter& painter, const QRect& rect, Qt::Alignment alignment, const QString& text)
{
    if (text.isEmpty() || rect.width() <= 0)
        return;
    qreal width = 0;
    const bool ascii = asciiRun(text, &mGlyphBuffer, &width);
    const QStaticText* st = ascii ? nullptr : &staticText(text);
    if (st)
        width = st->size().width();
    if (width > rect.width() + 0.5) {
        // Too wide: let the painter clip it as it lays it out.
        painter.drawText(rect, int(alignment | Qt::AlignVCenter), text);
        return;
    }
    qreal x = rect.left();
    if (alignment & Qt::AlignRight)
        x = rect.left() + rect.width() - width;
    else if (alignment & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - width) / 2;
    const int top = rect.top() + (rect.height() - mHeight) / 2;
    if (st) {
        painter.drawStaticText(QPointF(x, top), *st);
        return;
    }
    mPositionBuffer.resize(mGlyphBuffer.size());
    qreal pos = 0;
    for (int i = 0; i < mGlyphBuffer.size(); ++i) {
        mPositionBuffer[i] = QPointF(pos, 0);
        pos += mAdvance[text.at(i).unicode()];
    }
    QGlyphRun run;
    run.setRawFont(mRaw);
    run.setRawData(mGlyphBuffer.constData(), mPositionBuffer.constData(), mGlyphBuffer.size());
    painter.drawGlyphRun(QPointF(x, top + mAscent), run);
}
