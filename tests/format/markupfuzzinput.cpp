#include "markupfuzzinput.h"

#include <format/markup/markupreference.h>
#include <format/markup/valuecolour.h>
#include <format/markup/valueformat.h>
#include <ztlib/datatrans.h>
#include <ztlib/dqdreader.h>

#include <QByteArray>
#include <QDate>
#include <QVariant>

#include <cstring>

namespace {

class Input
{
public:
    Input(const uint8_t* data, size_t size) : mData(data), mSize(size) {}

    template <typename T>
    T take()
    {
        T v{};
        const size_t n = mPos + sizeof(T) <= mSize ? sizeof(T) : mSize - mPos;
        std::memcpy(&v, mData + mPos, n);
        mPos += n;
        return v;
    }

    QByteArray takeUntilZero()
    {
        const size_t start = mPos;
        while (mPos < mSize && mData[mPos] != 0)
            ++mPos;
        const QByteArray bytes(reinterpret_cast<const char*>(mData + start), int(mPos - start));
        if (mPos < mSize)
            ++mPos;
        return bytes;
    }

    QByteArray rest() const
    {
        return QByteArray(reinterpret_cast<const char*>(mData + mPos), int(mSize - mPos));
    }

private:
    const uint8_t* mData;
    size_t mSize;
    size_t mPos = 0;
};

QVariant readValue(Input& in)
{
    switch (in.take<uint8_t>() % 14) {
    case 0: return QVariant(in.take<double>());
    case 1: return QVariant(in.take<qint32>());
    case 2: return QVariant(in.take<qint64>());
    case 3: return QVariant(in.take<quint64>());
    case 4: return QVariant(QString::fromUtf8(in.takeUntilZero()));
    case 5: return QVariant(QStringLiteral("-"));
    case 6: return QVariant();
    case 7: return QVariant(bool(in.take<uint8_t>() & 1));
    case 8: {
        const QDate day = QDate::currentDate().addDays(-qint64(in.take<int8_t>()));
        return QVariant(DataTrans::getYYYYMMDDHHMMSSFFFFromDate(day));
    }
    case 9: return QVariant(in.take<int16_t>() / 100.0);
    case 10: return QVariant(in.take<float>());
    case 11: return QVariant(in.takeUntilZero());
    case 12: return QVariant(in.take<quint32>());
    default: {
        static const double special[] = {0.0, -0.0, 1.0, 0.1, 1e4, -1e4, 1e8, 1e12, -1e12, 9876.4, 12.345};
        return QVariant(special[in.take<uint8_t>() % (sizeof(special) / sizeof(special[0]))]);
    }
    }
}

QString hex(const uint8_t* data, size_t size)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(data), int(size)).toHex());
}

}

QString checkMarkupInput(const uint8_t* data, size_t size)
{
    Input in(data, size);
    const QVariant value = readValue(in);
    const QString text = QString::fromUtf8(in.rest());

    DQDReader reader;
    reader.setValue(3, 10.0);
    reader.setValue(12010, 9.5);
    reader.setValue(7, QStringLiteral("-"));
    reader.setValue(8, QStringLiteral("abc"));
    reader.setValue(9, 5);
    reader.setValue(1, value);

    const QString formatted = formatValue(value, text);
    const QString formattedPlain = ZtMarkupReference::formatValue(value, text);
    if (formatted != formattedPlain)
        return QStringLiteral("formatValue %1 vs %2 for %3").arg(formatted, formattedPlain, hex(data, size));
    if (selectConditionalFormat(value, text) != ZtMarkupReference::selectConditionalFormat(value, text))
        return QStringLiteral("selectConditionalFormat differs for %1").arg(hex(data, size));
    if (evaluateCondition(value, text) != ZtMarkupReference::evaluateCondition(value, text))
        return QStringLiteral("evaluateCondition differs for %1").arg(hex(data, size));

    // Date rules read today's date; a run across midnight proves nothing.
    const QDate today = QDate::currentDate();
    const QColor colour = valueColour(value, &reader, text);
    const QColor colourPlain = ZtMarkupReference::valueColour(value, &reader, text);
    if (colour != colourPlain && QDate::currentDate() == today)
        return QStringLiteral("valueColour %1 vs %2 for %3")
            .arg(colour.name(QColor::HexArgb), colourPlain.name(QColor::HexArgb), hex(data, size));
    return QString();
}
