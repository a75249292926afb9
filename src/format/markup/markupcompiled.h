#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <vector>

class DQDReader;

// The mark-up texts compiled once into the decisions that depend on the text
// alone; what is left to do per value is comparing numbers and writing digits.
namespace ZtMarkupDetail {

// True when the value is the data library's "no value" ("-" by QVariant equality).
bool isPlaceholder(const QVariant& value);

// One comparison term ("<=5", ">=0", "a><b").
struct CompiledComparison
{
    enum Op : quint8 { Constant, Contains, GreaterOrEqual, LessOrEqual, NotEqual, Less, Greater, Equal };
    Op op = Constant;
    bool constant = false;
    QString right;
    double rightNumber = 0;
    // The right side is exactly how QVariant writes this double or int, so the
    // string equality of a double or int value is a number comparison.
    bool rightIsDoubleText = false;
    double rightDouble = 0;
    bool rightIsIntText = false;
    int rightInt = 0;

    static CompiledComparison compile(const QString& term);
    bool evaluate(const QVariant& value) const;
};

struct CompiledCondition
{
    struct Term
    {
        enum Kind : quint8 { Comparison, GroupResult, Mixed };
        enum Joint : quint8 { None, And, Or };
        Kind kind = Comparison;
        Joint joint = None;
        int group = -1;
        CompiledComparison comparison;
        // Mixed terms: characters (>= 0) and group results (-1 - group index),
        // put back together as text when evaluated.
        QVector<int> pieces;
    };
    // Parenthesised groups, each after the groups it contains; the last is the whole condition.
    std::vector<std::vector<Term>> groups;
    // A "(" never closed: the condition is false.
    bool malformed = false;

    static CompiledCondition compile(const QString& condition);
    bool evaluate(const QVariant& value) const;
};

struct FormatPlan
{
    enum Kind : quint8 { Empty, Raw, Static, Number };
    Kind kind = Number;
    bool hasDate = false;
    bool divide = false;
    bool units = false;
    bool unitsIntegral = false;
    bool sign = false;
    int decimals = 0;
    double divisor = 1;
    QString staticText;
    QString prefix;
    QString suffix;
    QString datePattern;

    static FormatPlan compile(const QString& format);
    QString apply(const QVariant& value) const;
};

struct CompiledFormat
{
    struct Block
    {
        CompiledCondition condition;
        int plan = 0;
    };
    std::vector<Block> blocks;
    // One per block, then the default.
    std::vector<FormatPlan> plans;
    QStringList texts;

    static CompiledFormat compile(const QString& format);
    int select(const QVariant& value) const;
};

struct CompiledColourRule
{
    enum Kind : quint8 { Fixed, Named, Dates, Case, ByField, OtherField };
    struct DateBound
    {
        bool valid = false;
        bool greater = false;
        bool less = false;
        bool equal = false;
        int days = 0;
        bool holds(qint64 d) const;
    };
    struct DateItem
    {
        bool isFallback = false;
        bool isRange = false;
        DateBound first;
        DateBound second;
        QColor colour;
        bool matches(qint64 days) const;
    };

    Kind kind = Named;
    unsigned int field = 0;
    double constant = 0;
    QVariant constantText;
    QColor colour;
    QString name;
    std::vector<DateItem> items;

    static CompiledColourRule compile(const QString& rule);
    QColor evaluate(const QVariant& value, const DQDReader* reader) const;
};

// The colour of a colour name, as penFromColourName would give it, without building a pen.
QColor colourOfName(const QString& name);

CompiledFormat compileFormat(const QString& format);
CompiledCondition compileCondition(const QString& condition);
CompiledColourRule compileColourRule(const QString& rule);

}
