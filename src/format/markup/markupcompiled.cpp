#include "format/markup/markupcompiled.h"

#include <QSet>

#include "format/markup/markupcommon.h"
#include "format/markup/markupreference.h"

#include <ztlib/datatrans.h>
#include <ztlib/dqdreader.h>
#include <ztlib/pubcachecustom.h>

#include <QSet>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>

namespace ZtMarkupDetail {

namespace {

const QString kTrue = QStringLiteral("true");
const QString kFalse = QStringLiteral("false");
const QString kTenThousand = QStringLiteral("万");
const QString kHundredMillion = QStringLiteral("亿");
const QString kTrillion = QStringLiteral("兆");

// The left side of a comparison is the value's own text; doubles and ints are
// read without writing that text (QVariant writes the shortest form that reads back).
class LeftSide
{
public:
    explicit LeftSide(const QVariant& value) : mValue(value), mType(value.userType()) {}

    double number()
    {
        if (mType == QMetaType::Double)
            return *static_cast<const double*>(mValue.constData());
        if (mType == QMetaType::Int)
            return *static_cast<const int*>(mValue.constData());
        return text().toDouble();
    }

    bool equals(const CompiledComparison& c)
    {
        if (mType == QMetaType::Double) {
            const double d = *static_cast<const double*>(mValue.constData());
            if (std::isfinite(d))
                return c.rightIsDoubleText && d == c.rightDouble;
        } else if (mType == QMetaType::Int) {
            return c.rightIsIntText && *static_cast<const int*>(mValue.constData()) == c.rightInt;
        }
        return text() == c.right;
    }

    const QString& text()
    {
        if (!mHaveText) {
            mText = mValue.toString();
            mHaveText = true;
        }
        return mText;
    }

private:
    const QVariant& mValue;
    const int mType;
    QString mText;
    bool mHaveText = false;
};

QString tagContent(const QString& text, int at, int tagLength)
{
    const int start = at + tagLength;
    const int end = text.indexOf(QLatin1Char(']'), start);
    return end < 0 ? text.mid(start) : text.mid(start, end - start);
}

bool extractTag(QString& format, QLatin1String tag, QString* content)
{
    const int at = format.indexOf(tag);
    if (at < 0)
        return false;
    *content = tagContent(format, at, tag.size());
    format.remove(tag + *content + QLatin1Char(']'));
    return true;
}

CompiledCondition::Term makeTerm(const QVector<int>& pieces, CompiledCondition::Term::Joint joint)
{
    CompiledCondition::Term term;
    term.joint = joint;
    if (pieces.size() == 1 && pieces.first() < 0) {
        term.kind = CompiledCondition::Term::GroupResult;
        term.group = -1 - pieces.first();
        return term;
    }
    QString text;
    text.reserve(pieces.size());
    for (int piece : pieces) {
        if (piece < 0) {
            term.kind = CompiledCondition::Term::Mixed;
            term.pieces = pieces;
            return term;
        }
        text.append(QChar(ushort(piece)));
    }
    term.kind = CompiledCondition::Term::Comparison;
    term.comparison = CompiledComparison::compile(text);
    return term;
}

// Splits one group's pieces at "&&" and "||"; group results never hold either.
std::vector<CompiledCondition::Term> splitTerms(const QVector<int>& pieces)
{
    std::vector<CompiledCondition::Term> terms;
    QVector<int> current;
    const int n = pieces.size();
    for (int i = 0; i < n; ++i) {
        const int c = pieces.at(i);
        if (i + 1 < n && (c == '&' || c == '|') && pieces.at(i + 1) == c) {
            terms.push_back(makeTerm(current, c == '&' ? CompiledCondition::Term::And
                                                       : CompiledCondition::Term::Or));
            current.clear();
            ++i;
            continue;
        }
        current.append(c);
    }
    terms.push_back(makeTerm(current, CompiledCondition::Term::None));
    return terms;
}

bool evaluateTerms(const std::vector<CompiledCondition::Term>& terms, const QVariant& value,
                   const QVarLengthArray<bool, 16>& groupResults)
{
    for (const CompiledCondition::Term& term : terms) {
        bool result = false;
        switch (term.kind) {
        case CompiledCondition::Term::Comparison:
            result = term.comparison.evaluate(value);
            break;
        case CompiledCondition::Term::GroupResult:
            result = groupResults[term.group];
            break;
        case CompiledCondition::Term::Mixed: {
            QString text;
            for (int piece : term.pieces) {
                if (piece >= 0)
                    text.append(QChar(ushort(piece)));
                else
                    text.append(groupResults[-1 - piece] ? kTrue : kFalse);
            }
            result = ZtMarkupReference::evaluateComparison(value, text);
            break;
        }
        }
        if (term.joint == CompiledCondition::Term::Or && result)
            return true;
        if (term.joint == CompiledCondition::Term::And && !result)
            return false;
        if (term.joint == CompiledCondition::Term::None)
            return result;
    }
    return false;
}

CompiledColourRule::DateBound readBound(const QString& text)
{
    CompiledColourRule::DateBound bound;
    const int open = text.indexOf(QLatin1Char('['));
    const int close = text.indexOf(QLatin1Char(']'));
    if (open < 0 || close < 0)
        return bound;
    const QString op = close > open ? text.mid(open + 1, close - open - 1) : QString();
    bound.valid = true;
    bound.greater = op.contains(QLatin1Char('>'));
    bound.less = !bound.greater && op.contains(QLatin1Char('<'));
    bound.equal = op.contains(QLatin1Char('='));
    bound.days = text.mid(close + 1).toInt();
    return bound;
}

QColor trendColour(int comparison)
{
    static const QString up = QStringLiteral("Up");
    static const QString down = QStringLiteral("Down");
    static const QString flat = QStringLiteral("Flat");
    return colourOfName(comparison > 0 ? up : comparison < 0 ? down : flat);
}

QVariant readField(const DQDReader* reader, unsigned int field)
{
    QVariant v = reader ? reader->getValue(field) : QVariant(QStringLiteral("-"));
    if (isPlaceholder(v))
        v = QVariant(QStringLiteral("0"));
    return v;
}

}

bool isPlaceholder(const QVariant& value)
{
    switch (value.userType()) {
    case QMetaType::Double:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        // A number never equals "-": the text does not convert to a number.
        return false;
    case QMetaType::QString:
        return *static_cast<const QString*>(value.constData()) == QLatin1String("-");
    default:
        return value == QVariant(QStringLiteral("-"));
    }
}

QColor colourOfName(const QString& name)
{
    auto it = PubCacheCustom::mCustomColor.constFind(name);
    if (it != PubCacheCustom::mCustomColor.constEnd())
        return namedColour(it->value(0));
    it = PubCacheCustom::mDefultColor.constFind(name);
    if (it != PubCacheCustom::mDefultColor.constEnd())
        return namedColour(it->value(0));
    return namedColour(name);
}

CompiledComparison CompiledComparison::compile(const QString& term)
{
    CompiledComparison c;
    if (term == kTrue || term == kFalse) {
        c.constant = term == kTrue;
        return c;
    }
    static const struct
    {
        const char* text;
        Op op;
    } ops[] = {{"><", Contains}, {">=", GreaterOrEqual}, {"<=", LessOrEqual}, {"!=", NotEqual},
               {"<", Less},      {">", Greater},        {"=", Equal}};
    for (const auto& op : ops) {
        const QString opText = QLatin1String(op.text);
        if (!term.contains(opText))
            continue;
        if (!term.section(opText, 0, 0).isEmpty()) {
            // Both sides are in the text: the value plays no part.
            c.constant = ZtMarkupReference::evaluateComparison(QVariant(), term);
            return c;
        }
        c.op = op.op;
        c.right = term.section(opText, 1, 1);
        c.rightNumber = c.right.toDouble();
        bool ok = false;
        const double d = c.right.toDouble(&ok);
        c.rightIsDoubleText = ok && std::isfinite(d) && QVariant(d).toString() == c.right;
        c.rightDouble = d;
        const int i = c.right.toInt(&ok);
        c.rightIsIntText = ok && QString::number(i) == c.right;
        c.rightInt = i;
        return c;
    }
    return c;
}

bool CompiledComparison::evaluate(const QVariant& value) const
{
    if (op == Constant)
        return constant;
    LeftSide left(value);
    switch (op) {
    case Contains:
        return left.text().contains(right);
    case GreaterOrEqual:
        return left.number() > rightNumber || left.equals(*this);
    case LessOrEqual:
        return left.number() < rightNumber || left.equals(*this);
    case NotEqual:
        return !left.equals(*this);
    case Less:
        return left.number() < rightNumber;
    case Greater:
        return left.number() > rightNumber;
    case Equal:
        return left.equals(*this);
    case Constant:
        break;
    }
    return constant;
}

CompiledCondition CompiledCondition::compile(const QString& condition)
{
    // Matching parentheses with a stack pairs them as taking the last "(" with
    // the first ")" after it does; a "(" never closed makes the condition false.
    CompiledCondition compiled;
    std::vector<QVector<int>> open(1);
    auto closeGroup = [&]() {
        QVector<int> pieces = std::move(open.back());
        open.pop_back();
        compiled.groups.push_back(splitTerms(pieces));
        open.back().append(-int(compiled.groups.size()));
    };
    for (const QChar ch : condition) {
        if (ch == QLatin1Char('(')) {
            open.emplace_back();
        } else if (ch == QLatin1Char(')') && open.size() > 1) {
            closeGroup();
        } else {
            open.back().append(ch.unicode());
        }
    }
    if (open.size() > 1) {
        compiled.groups.clear();
        compiled.malformed = true;
        return compiled;
    }
    compiled.groups.push_back(splitTerms(open.back()));
    return compiled;
}

bool CompiledCondition::evaluate(const QVariant& value) const
{
    if (malformed)
        return false;
    const int n = int(groups.size());
    QVarLengthArray<bool, 16> results(n);
    for (int i = 0; i < n; ++i)
        results[i] = evaluateTerms(groups[size_t(i)], value, results);
    return results[n - 1];
}

FormatPlan FormatPlan::compile(const QString& text)
{
    FormatPlan plan;
    QString format = text;
    if (format.contains(QLatin1String("!!"))) {
        plan.kind = Empty;
        return plan;
    }
    if (format.contains(QLatin1String("!p"))) {
        plan.kind = Raw;
        return plan;
    }
    const int staticAt = format.indexOf(QLatin1String("[ss:"));
    if (staticAt >= 0) {
        plan.kind = Static;
        plan.staticText = tagContent(format, staticAt, 4);
        return plan;
    }
    extractTag(format, QLatin1String("[ls:"), &plan.suffix);
    extractTag(format, QLatin1String("[ps:"), &plan.prefix);
    plan.hasDate = extractTag(format, QLatin1String("[tn:"), &plan.datePattern);

    plan.units = format.contains(QLatin1Char('w'));
    plan.unitsIntegral = format.contains(QLatin1String("wc"));
    plan.divide = format.contains(QLatin1Char('d'));
    plan.sign = format.contains(QLatin1Char('f'));
    if (plan.divide || plan.units) {
        format.remove(QLatin1String("wc"));
        format.remove(QLatin1Char('w'));
        format.remove(QLatin1Char('f'));
        const QString divisorText = format.section(QLatin1Char('d'), 0, 0);
        plan.divisor = divisorText.isEmpty() ? 1.0 : divisorText.toDouble();
        plan.decimals = clampDecimals(format.section(QLatin1Char('d'), 1, 1).toInt());
    }
    return plan;
}

QString FormatPlan::apply(const QVariant& value) const
{
    switch (kind) {
    case Empty:
        return QString();
    case Raw:
        return value.toString();
    case Static:
        return staticText;
    case Number:
        break;
    }
    QString dateText;
    if (hasDate)
        dateText = DataTrans::getDateTimeFromULL(value.toULongLong()).toString(datePattern);
    double v = value.toDouble();

    // The number is "-" (a negative value in units), its digits and the unit; the
    // digits are written into a buffer, so a cell's text costs one allocation.
    char digits[kFixedChars];
    int length = 0;
    QString slowDigits;
    bool minus = false;
    const QString* unit = nullptr;
    auto number = [&](double x, int d, bool negative, const QString* u) {
        length = fixedChars(x, d, digits);
        if (length < 0)
            slowDigits = fixedText(x, d);
        minus = negative;
        unit = u;
    };
    if (divide) {
        v = v / divisor;
        number(v, decimals, false, nullptr);
    }
    if (units) {
        if (v >= 0) {
            if (v >= 1e12)
                number(v / 1e12, decimals, false, &kTrillion);
            else if (v >= 1e8)
                number(v / 1e8, decimals, false, &kHundredMillion);
            else if (v >= 1e4)
                number(v / 1e4, decimals, false, &kTenThousand);
            else if (unitsIntegral)
                number(v, 0, false, nullptr);
        } else if (v < 0) {
            if (v <= -1e12)
                number(v / -1e12, decimals, true, &kTrillion);
            else if (v <= -1e8)
                number(v / -1e8, decimals, true, &kHundredMillion);
            else if (v <= -1e4)
                number(v / -1e4, decimals, true, &kTenThousand);
            else if (unitsIntegral)
                number(v, 0, false, nullptr);
        }
    }
    const bool plus = sign && v > 0;
    const int digitCount = length < 0 ? slowDigits.size() : length;
    QString text(prefix.size() + dateText.size() + int(plus) + int(minus) + digitCount + (unit ? unit->size() : 0)
                     + suffix.size(),
                 Qt::Uninitialized);
    QChar* out = text.data();
    auto put = [&out](const QString& s) {
        std::copy(s.constBegin(), s.constEnd(), out);
        out += s.size();
    };
    put(prefix);
    put(dateText);
    if (plus)
        *out++ = QLatin1Char('+');
    if (minus)
        *out++ = QLatin1Char('-');
    if (length < 0) {
        put(slowDigits);
    } else {
        for (int i = 0; i < length; ++i)
            *out++ = QLatin1Char(digits[i]);
    }
    if (unit)
        put(*unit);
    put(suffix);
    return text;
}

namespace {

// The blocks of a format as the plain reading meets them, found in one pass.
// Trying a block removes every copy of it, so a later copy is skipped rather
// than removed. That holds while removing a block cannot join the text around
// it into a new "{if#" and no block holds a "{if#" before its "}"; texts that
// break either are read the plain way instead.
bool walkBlocks(const QString& text, QStringList* conditions, QStringList* branches, QString* rest)
{
    const QLatin1String opener("{if#");
    QSet<QString> tried;
    QString left;
    left.reserve(text.size());
    int from = 0;
    for (;;) {
        const int at = text.indexOf(opener, from);
        if (at < 0)
            break;
        // Text before a block that ends in "{", "{i" or "{if" could meet text after it.
        const QChar before1 = at >= 1 ? text.at(at - 1) : QChar();
        if (before1 == QLatin1Char('{') || text.midRef(qMax(0, at - 2), qMin(2, at)) == QLatin1String("{i")
            || text.midRef(qMax(0, at - 3), qMin(3, at)) == QLatin1String("{if"))
            return false;
        left.append(text.midRef(from, at - from));
        const int close = text.indexOf(QLatin1Char('}'), at + 4);
        if (close < 0) {
            // An unclosed block stays as it is, and so does what follows it.
            from = at;
            break;
        }
        const QString inner = text.mid(at + 4, close - at - 4);
        if (inner.contains(opener))
            return false;
        if (!tried.contains(inner)) {
            tried.insert(inner);
            conditions->append(inner.section(QLatin1Char(';'), 0, 0));
            branches->append(inner.section(QLatin1Char(';'), 1, 1));
        }
        from = close + 1;
    }
    left.append(text.midRef(from));
    *rest = left;
    return true;
}

}

CompiledFormat CompiledFormat::compile(const QString& text)
{
    CompiledFormat compiled;
    QStringList conditions;
    QStringList branches;
    QString format;
    if (!walkBlocks(text, &conditions, &branches, &format)) {
        conditions.clear();
        branches.clear();
        format = text;
        for (;;) {
            const int at = format.indexOf(QLatin1String("{if#"));
            if (at < 0)
                break;
            const int close = format.indexOf(QLatin1Char('}'), at + 4);
            if (close < 0)
                break;
            const QString inner = format.mid(at + 4, close - at - 4);
            format.remove(QStringLiteral("{if#") + inner + QLatin1Char('}'));
            conditions.append(inner.section(QLatin1Char(';'), 0, 0));
            branches.append(inner.section(QLatin1Char(';'), 1, 1));
        }
    }
    for (int i = 0; i < conditions.size(); ++i) {
        compiled.blocks.push_back({CompiledCondition::compile(conditions.at(i)), int(compiled.plans.size())});
        compiled.plans.push_back(FormatPlan::compile(branches.at(i)));
        compiled.texts.append(branches.at(i));
    }
    compiled.plans.push_back(FormatPlan::compile(format));
    compiled.texts.append(format);
    return compiled;
}

int CompiledFormat::select(const QVariant& value) const
{
    for (const Block& block : blocks) {
        if (block.condition.evaluate(value))
            return block.plan;
    }
    return int(plans.size()) - 1;
}

bool CompiledColourRule::DateBound::holds(qint64 d) const
{
    if (greater)
        return d > days || (equal && d >= days);
    if (less)
        return d < days || (equal && d <= days);
    return equal && d == days;
}

bool CompiledColourRule::DateItem::matches(qint64 d) const
{
    if (!isRange)
        return first.valid && first.holds(d);
    // A range needs one lower and one upper bound, in either order.
    const bool opposite = (first.greater && second.less) || (first.less && second.greater);
    return first.valid && second.valid && opposite && first.holds(d) && second.holds(d);
}

CompiledColourRule CompiledColourRule::compile(const QString& rule)
{
    CompiledColourRule c;
    const QLatin1Char space(' ');
    auto argument = [&](const char* prefix) {
        return QString(rule).remove(QLatin1String(prefix)).remove(space);
    };
    if (rule.contains(QLatin1String("bos:"))) {
        c.kind = ByField;
        c.field = argument("bos:").toUInt();
    } else if (rule.contains(QLatin1String("self:"))) {
        const QString arg = argument("self:");
        if (arg.contains(QLatin1Char(','))) {
            c.kind = Fixed;
            c.colour = namedColour(arg.section(QLatin1Char(','), 1, 1));
        } else {
            c.kind = Named;
            c.name = QStringLiteral("Default");
        }
    } else if (rule.contains(QLatin1String("casedate:"))) {
        c.kind = Dates;
        const QStringList items = argument("casedate:").split(QLatin1Char('|'), Qt::SkipEmptyParts);
        for (const QString& text : items) {
            DateItem item;
            const QStringList parts = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
            if (parts.size() != 2) {
                item.isFallback = true;
                item.colour = namedColour(text);
                c.items.push_back(item);
                break;
            }
            item.colour = namedColour(parts.at(1));
            const QString& condition = parts.at(0);
            if (condition.contains(QLatin1Char('[')) && condition.contains(QLatin1Char(']'))) {
                const int amp = condition.indexOf(QLatin1Char('&'));
                item.isRange = amp > 0;
                item.first = readBound(item.isRange ? condition.left(amp) : condition);
                if (item.isRange)
                    item.second = readBound(condition.mid(amp + 1));
            }
            c.items.push_back(item);
        }
    } else if (rule.contains(QLatin1String("case:"))) {
        c.kind = Case;
        c.constant = argument("case:").toDouble();
    } else if (rule.contains(QLatin1String("casefor:"))) {
        c.kind = OtherField;
        const QString arg = argument("casefor:");
        c.field = arg.section(QLatin1Char(','), 0, 0).toUInt();
        c.constantText = QVariant(arg.section(QLatin1Char(','), 1));
    } else if (rule.contains(QLatin1String("sys:"))) {
        c.kind = Named;
        c.name = sysAlias(argument("sys:"));
    } else if (rule.startsWith(QLatin1Char('#'))) {
        c.kind = Fixed;
        c.colour = namedColour(rule);
    } else {
        c.kind = Named;
        c.name = rule;
    }
    return c;
}

QColor CompiledColourRule::evaluate(const QVariant& value, const DQDReader* reader) const
{
    switch (kind) {
    case Fixed:
        return colour;
    case Named:
        return colourOfName(name);
    case Case: {
        const double v = isPlaceholder(value) ? 0.0 : value.toDouble();
        return trendColour(v > constant ? 1 : v < constant ? -1 : 0);
    }
    case ByField: {
        const QVariant reference = readField(reader, field);
        if (isPlaceholder(value))
            return trendColour(compareVariants(QVariant(0), reference));
        return trendColour(compareVariants(value, reference));
    }
    case OtherField:
        return trendColour(compareVariants(readField(reader, field), constantText));
    case Dates: {
        if (items.empty())
            return colourOfName(QStringLiteral("Default"));
        bool haveDays = false;
        qint64 days = 0;
        for (const DateItem& item : items) {
            if (item.isFallback)
                return item.colour;
            if (!haveDays) {
                days = daysSince(isPlaceholder(value) ? QVariant(0) : value);
                haveDays = true;
            }
            if (item.matches(days))
                return item.colour;
        }
        return colourOfName(QStringLiteral("Default"));
    }
    }
    return QColor();
}

CompiledFormat compileFormat(const QString& format)
{
    return CompiledFormat::compile(format);
}

CompiledCondition compileCondition(const QString& condition)
{
    return CompiledCondition::compile(condition);
}

CompiledColourRule compileColourRule(const QString& rule)
{
    return CompiledColourRule::compile(rule);
}

}
