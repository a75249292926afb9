#include "markupfuzzinput.h"

#include <format/markup/markupreference.h>
#include <format/markup/valuecolour.h>
#include <format/markup/valueformat.h>
#include <ztlib/datatrans.h>
#include <ztlib/dqdreader.h>

#include <QRandomGenerator>
#include <QtTest>

#include <cstring>

// The compiled, cached path against the plain reading, over texts put together
// from the mark-up's own pieces and values of every kind the data library hands out.
namespace {

const char* const formatPieces[] = {
    "{if#", "}", ";", "(", ")", "&&", "||", ">=", "<=", "><", "!=", "<", ">", "=", "true", "false",
    "d", "d2", "100d", "w", "wc", "f", "[ls:", "[ps:", "[ss:", "[tn:", "]", "!!", "!p", "%", "-",
    "0", "1", "1.0", "2", "10", "0.5", "-3", "1e3", "inf", "nan", "abc", "hh:mm", "yyyy", "亿", " ", "{", "#",
};

const char* const colourPieces[] = {
    "bos:", "self:", "casedate:", "case:", "casefor:", "sys:", "3", "7", "12010", "999", ",", "|", ";", "&",
    "[", "]", ">", "<", "=", "[>]", "[<=]", "[=]", "0", "1", "5", "-2", "#ffffff", "#0B8AEE", "up", "Up",
    "vol", "cross", "Default", "red", "nosuch", " ", "-", "10.5", "abc",
};

QString randomText(QRandomGenerator& rng, const char* const* pieces, int count, int maxPieces)
{
    QString text;
    const int n = int(rng.bounded(maxPieces + 1));
    for (int i = 0; i < n; ++i)
        text += QString::fromUtf8(pieces[rng.bounded(count)]);
    return text;
}

QVariant randomValue(QRandomGenerator& rng)
{
    switch (rng.bounded(16)) {
    case 0: return QVariant(QStringLiteral("-"));
    case 1: return QVariant(int(rng.bounded(-20, 21)));
    case 2: return QVariant(qint64(rng.generate64()));
    case 3: return QVariant(quint64(rng.generate64() >> rng.bounded(64)));
    case 4: return QVariant(QString::number(rng.bounded(-50, 50) / 4.0));
    case 5: return QVariant(QStringLiteral("abc"));
    case 6: return QVariant();
    case 7: return QVariant(bool(rng.bounded(2)));
    case 8: {
        const QDate day = QDate::currentDate().addDays(rng.bounded(-10, 11));
        return QVariant(DataTrans::getYYYYMMDDHHMMSSFFFFromDate(day));
    }
    case 9: {
        const double special[] = {0.0, -0.0, 1.0, -1.0, 0.1, 1e4, -1e4, 1e8, 1e12, -1e12, 9876.4, 12.345,
                                  qInf(), -qInf(), qQNaN(), 1e300, 5e-324};
        return QVariant(special[rng.bounded(int(sizeof(special) / sizeof(special[0])))]);
    }
    case 10: {
        quint64 bits = rng.generate64();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return QVariant(d);
    }
    case 11: return QVariant(float(rng.bounded(-1000, 1000) / 8.0));
    case 12: return QVariant(QByteArray("-"));
    case 13: return QVariant(uint(rng.bounded(100)));
    default: return QVariant((rng.generateDouble() * 4e5 - 2e5) * (rng.bounded(2) ? 1 : 1e-3));
    }
}

}

class tst_MarkupIdentity : public QObject
{
    Q_OBJECT

private slots:
    void formats()
    {
        QRandomGenerator rng(1);
        const int count = int(sizeof(formatPieces) / sizeof(formatPieces[0]));
        for (int i = 0; i < 20000; ++i) {
            const QString text = randomText(rng, formatPieces, count, 14);
            for (int k = 0; k < 4; ++k) {
                const QVariant value = randomValue(rng);
                const QString compiled = formatValue(value, text);
                const QString plain = ZtMarkupReference::formatValue(value, text);
                if (compiled != plain)
                    QFAIL(qPrintable(QStringLiteral("%1 with %2: %3 vs %4")
                                         .arg(text, value.toString(), compiled, plain)));
                if (selectConditionalFormat(value, text) != ZtMarkupReference::selectConditionalFormat(value, text))
                    QFAIL(qPrintable(QStringLiteral("select %1 with %2").arg(text, value.toString())));
            }
        }
    }

    void conditions()
    {
        QRandomGenerator rng(2);
        const char* const pieces[] = {"(", ")", "(", ")", "&&", "||", ">=", "<=", "><", "!=", "<", ">", "=",
                                      "true", "false", "0", "1", "1.0", "-5", "3", "abc", "&", "|", " "};
        const int count = int(sizeof(pieces) / sizeof(pieces[0]));
        for (int i = 0; i < 20000; ++i) {
            const QString text = randomText(rng, pieces, count, 16);
            for (int k = 0; k < 4; ++k) {
                const QVariant value = randomValue(rng);
                if (evaluateCondition(value, text) != ZtMarkupReference::evaluateCondition(value, text))
                    QFAIL(qPrintable(QStringLiteral("%1 with %2").arg(text, value.toString())));
            }
        }
    }

    void colourRules()
    {
        QRandomGenerator rng(3);
        DQDReader reader;
        reader.setValue(3, 10.0);
        reader.setValue(7, QStringLiteral("-"));
        reader.setValue(12010, QStringLiteral("5"));
        const int count = int(sizeof(colourPieces) / sizeof(colourPieces[0]));
        for (int i = 0; i < 20000; ++i) {
            const QString rule = randomText(rng, colourPieces, count, 10);
            for (int k = 0; k < 4; ++k) {
                const QVariant value = randomValue(rng);
                const QDate today = QDate::currentDate();
                const QColor compiled = valueColour(value, &reader, rule);
                const QColor plain = ZtMarkupReference::valueColour(value, &reader, rule);
                if (compiled != plain && today == QDate::currentDate())
                    QFAIL(qPrintable(QStringLiteral("%1 with %2: %3 vs %4")
                                         .arg(rule, value.toString(), compiled.name(), plain.name())));
            }
        }
    }

    void randomBytes()
    {
        QRandomGenerator rng(4);
        QByteArray bytes;
        for (int i = 0; i < 30000; ++i) {
            bytes.resize(int(rng.bounded(1, 64)));
            for (char& b : bytes)
                b = char(rng.bounded(256));
            const QString failure =
                checkMarkupInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
        }
    }
};

QTEST_APPLESS_MAIN(tst_MarkupIdentity)
#include "tst_markupidentity.moc"
