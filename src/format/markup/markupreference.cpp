#include "format/markup/markupreference.h"

#include "format/markup/markupcommon.h"
#include "format/markup/valuecolour.h"

#include <ztlib/datatrans.h>
#include <ztlib/dqdreader.h>

#include <QStringList>

using namespace ZtMarkupDetail;

namespace ZtMarkupReference {

namespace {

const QString kPlaceholder = QStringLiteral("-");

// Content of the tag at `at` up to the next "]", or the rest of the text.
QString tagContent(const QString& text, int at, int tagLength)
{
    const int start = at + tagLength;
    const int end = text.indexOf(QLatin1Char(']'), start);
    return end < 0 ? text.mid(start) : text.mid(start, end - start);
}

// Reads the first occurrence of `tag` and removes every occurrence of that exact tag.
QString takeTag(QString& format, const QString& tag, bool* found = nullptr)
{
    const int at = format.indexOf(tag);
    if (found)
        *found = at >= 0;
    if (at < 0)
        return QString();
    const QString content = tagContent(format, at, tag.size());
    format.remove(tag + content + QLatin1Char(']'));
    return content;
}

QColor colourOf(const QString& name)
{
    return penFromColourName(name, Qt::SolidLine).color();
}

QColor trendColour(int comparison)
{
    return colourOf(comparison > 0 ? QStringLiteral("Up")
                    : comparison < 0 ? QStringLiteral("Down")
                                     : QStringLiteral("Flat"));
}

QVariant readField(const DQDReader* reader, unsigned int field)
{
    return reader ? reader->getValue(field) : QVariant(kPlaceholder);
}

struct DayBound
{
    bool valid = false;
    QString op;
    int days = 0;
};

DayBound readBound(const QString& text)
{
    DayBound bound;
    const int open = text.indexOf(QLatin1Char('['));
    const int close = text.indexOf(QLatin1Char(']'));
    if (open < 0 || close < 0)
        return bound;
    bound.valid = true;
    bound.op = close > open ? text.mid(open + 1, close - open - 1) : QString();
    bound.days = text.mid(close + 1).toInt();
    return bound;
}

bool boundHolds(const DayBound& b, qint64 days)
{
    const bool eq = b.op.contains(QLatin1Char('='));
    if (b.op.contains(QLatin1Char('>')))
        return days > b.days || (eq && days >= b.days);
    if (b.op.contains(QLatin1Char('<')))
        return days < b.days || (eq && days <= b.days);
    return eq && days == b.days;
}

// 1 for a lower bound (">"), -1 for an upper one ("<"), 0 otherwise.
int boundDirection(const DayBound& b)
{
    return b.op.contains(QLatin1Char('>')) ? 1 : b.op.contains(QLatin1Char('<')) ? -1 : 0;
}

bool dateConditionHolds(const QString& condition, qint64 days)
{
    if (!condition.contains(QLatin1Char('[')) || !condition.contains(QLatin1Char(']')))
        return false;
    const int amp = condition.indexOf(QLatin1Char('&'));
    if (amp > 0) {
        const DayBound first = readBound(condition.left(amp));
        const DayBound second = readBound(condition.mid(amp + 1));
        if (!first.valid || !second.valid || boundDirection(first) * boundDirection(second) != -1)
            return false;
        return boundHolds(first, days) && boundHolds(second, days);
    }
    return boundHolds(readBound(condition), days);
}

}

QString formatValue(QVariant value, QString format)
{
    if (value == QVariant(kPlaceholder))
        value = QVariant(0);
    format = selectConditionalFormat(value, format);
    if (format.contains(QLatin1String("!!")))
        return QString();
    if (format.contains(QLatin1String("!p")))
        return value.toString();
    const int staticAt = format.indexOf(QLatin1String("[ss:"));
    if (staticAt >= 0)
        return tagContent(format, staticAt, 4);

    const QString suffix = takeTag(format, QStringLiteral("[ls:"));
    const QString prefix = takeTag(format, QStringLiteral("[ps:"));
    bool hasDate = false;
    const QString pattern = takeTag(format, QStringLiteral("[tn:"), &hasDate);
    QString dateText;
    if (hasDate)
        dateText = DataTrans::getDateTimeFromULL(value.toULongLong()).toString(pattern);

    const bool w = format.contains(QLatin1Char('w'));
    const bool wc = format.contains(QLatin1String("wc"));
    const bool d = format.contains(QLatin1Char('d'));
    const bool f = format.contains(QLatin1Char('f'));

    QString numberText;
    if (d || w || wc) {
        format.remove(QLatin1String("wc"));
        format.remove(QLatin1Char('w'));
        format.remove(QLatin1Char('f'));
        QString divisorText = format.section(QLatin1Char('d'), 0, 0);
        QString decimalsText = format.section(QLatin1Char('d'), 1, 1);
        if (divisorText.isEmpty())
            divisorText = QStringLiteral("1");
        if (decimalsText.isEmpty())
            decimalsText = QStringLiteral("0");
        const int decimals = clampDecimals(decimalsText.toInt());
        if (d) {
            value = value.toDouble() / divisorText.toDouble();
            numberText = fixedText(value.toDouble(), decimals);
        }
        if (w || wc) {
            const double v = value.toDouble();
            if (v >= 0) {
                if (v >= 1e12)
                    numberText = fixedText(v / 1e12, decimals) + QStringLiteral("兆");
                else if (v >= 1e8)
                    numberText = fixedText(v / 1e8, decimals) + QStringLiteral("亿");
                else if (v >= 1e4)
                    numberText = fixedText(v / 1e4, decimals) + QStringLiteral("万");
                else if (wc)
                    numberText = fixedText(v, 0);
            } else if (v < 0) {
                if (v <= -1e12)
                    numberText = QStringLiteral("-") + fixedText(v / -1e12, decimals) + QStringLiteral("兆");
                else if (v <= -1e8)
                    numberText = QStringLiteral("-") + fixedText(v / -1e8, decimals) + QStringLiteral("亿");
                else if (v <= -1e4)
                    numberText = QStringLiteral("-") + fixedText(v / -1e4, decimals) + QStringLiteral("万");
                else if (wc)
                    numberText = fixedText(v, 0);
            }
        }
    }
    if (f && value.toDouble() > 0)
        numberText = QStringLiteral("+") + numberText;
    return prefix + dateText + numberText + suffix;
}

QString selectConditionalFormat(const QVariant& value, QString format)
{
    // A loop rather than the recursion it stands for: long chains must not exhaust the stack.
    for (;;) {
        const int at = format.indexOf(QLatin1String("{if#"));
        if (at < 0)
            return format;
        const int close = format.indexOf(QLatin1Char('}'), at + 4);
        // An unclosed block cannot be removed; the text as it stands is the default.
        if (close < 0)
            return format;
        const QString inner = format.mid(at + 4, close - at - 4);
        format.remove(QStringLiteral("{if#") + inner + QLatin1Char('}'));
        if (evaluateCondition(value, inner.section(QLatin1Char(';'), 0, 0)))
            return inner.section(QLatin1Char(';'), 1, 1);
    }
}

bool evaluateCondition(const QVariant& value, const QString& condition)
{
    QString text = condition;
    for (;;) {
        const int open = text.lastIndexOf(QLatin1Char('('));
        if (open < 0)
            break;
        const int close = text.indexOf(QLatin1Char(')'), open + 1);
        // A group left open makes the condition malformed.
        if (close < 0)
            return false;
        const int length = close - open + 1;
        const QString inner = text.mid(open + 1, length - 2);
        text.replace(open, length,
                     evaluateCondition(value, inner) ? QStringLiteral("true") : QStringLiteral("false"));
    }

    enum Joint { None, And, Or };
    struct Term
    {
        QString text;
        Joint joint;
    };
    QList<Term> terms;
    for (;;) {
        const int andAt = text.indexOf(QLatin1String("&&"));
        const int orAt = text.indexOf(QLatin1String("||"));
        if (andAt < 0 && orAt < 0)
            break;
        const bool andFirst = andAt >= 0 && (orAt < 0 || andAt < orAt);
        const int at = andFirst ? andAt : orAt;
        terms.append({text.left(at), andFirst ? And : Or});
        text = text.mid(at + 2);
    }
    terms.append({text, None});

    for (const Term& term : qAsConst(terms)) {
        const bool result = evaluateComparison(value, term.text);
        if (term.joint == Or && result)
            return true;
        if (term.joint == And && !result)
            return false;
        if (term.joint == None)
            return result;
    }
    return false;
}

bool evaluateComparison(const QVariant& value, const QString& term)
{
    if (term == QLatin1String("true"))
        return true;
    if (term == QLatin1String("false"))
        return false;
    static const char* const ops[] = {"><", ">=", "<=", "!=", "<", ">", "="};
    for (const char* opText : ops) {
        const QString op = QLatin1String(opText);
        if (!term.contains(op))
            continue;
        QString left = term.section(op, 0, 0);
        if (left.isEmpty())
            left = value.toString();
        const QString right = term.section(op, 1, 1);
        if (op == QLatin1String("><"))
            return left.contains(right);
        if (op == QLatin1String(">="))
            return left.toDouble() > right.toDouble() || left == right;
        if (op == QLatin1String("<="))
            return left.toDouble() < right.toDouble() || left == right;
        if (op == QLatin1String("!="))
            return left != right;
        if (op == QLatin1String("<"))
            return left.toDouble() < right.toDouble();
        if (op == QLatin1String(">"))
            return left.toDouble() > right.toDouble();
        return left == right;
    }
    return false;
}

QColor valueColour(QVariant value, const DQDReader* reader, const QString& rule)
{
    if (value == QVariant(kPlaceholder))
        value = QVariant(0);
    const QLatin1Char space(' ');

    if (rule.contains(QLatin1String("bos:"))) {
        const unsigned int field = QString(rule).remove(QStringLiteral("bos:")).remove(space).toUInt();
        QVariant reference = readField(reader, field);
        if (reference == QVariant(kPlaceholder))
            reference = QVariant(QStringLiteral("0"));
        return trendColour(compareVariants(value, reference));
    }
    if (rule.contains(QLatin1String("self:"))) {
        const QString arg = QString(rule).remove(QStringLiteral("self:")).remove(space);
        if (arg.contains(QLatin1Char(',')))
            return namedColour(arg.section(QLatin1Char(','), 1, 1));
        return colourOf(QStringLiteral("Default"));
    }
    if (rule.contains(QLatin1String("casedate:"))) {
        const QString arg = QString(rule).remove(QStringLiteral("casedate:")).remove(space);
        const QStringList items = arg.split(QLatin1Char('|'), Qt::SkipEmptyParts);
        if (items.isEmpty())
            return colourOf(QStringLiteral("Default"));
        const qint64 days = daysSince(value);
        for (const QString& item : items) {
            const QStringList parts = item.split(QLatin1Char(';'), Qt::SkipEmptyParts);
            if (parts.size() != 2)
                return namedColour(item);
            if (dateConditionHolds(parts.at(0), days))
                return namedColour(parts.at(1));
        }
        return colourOf(QStringLiteral("Default"));
    }
    if (rule.contains(QLatin1String("case:"))) {
        const double constant = QString(rule).remove(QStringLiteral("case:")).remove(space).toDouble();
        const double v = value.toDouble();
        return trendColour(v > constant ? 1 : v < constant ? -1 : 0);
    }
    if (rule.contains(QLatin1String("casefor:"))) {
        const QString arg = QString(rule).remove(QStringLiteral("casefor:")).remove(space);
        const unsigned int field = arg.section(QLatin1Char(','), 0, 0).toUInt();
        const QString constant = arg.section(QLatin1Char(','), 1);
        QVariant other = readField(reader, field);
        if (other == QVariant(kPlaceholder))
            other = QVariant(QStringLiteral("0"));
        return trendColour(compareVariants(other, QVariant(constant)));
    }
    if (rule.contains(QLatin1String("sys:")))
        return colourOf(sysAlias(QString(rule).remove(QStringLiteral("sys:")).remove(space)));
    return colourFromSpec(rule);
}

}
