#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVector>

// The keyboard fairy's ranking written the plain way, step by step, as the
// yardstick for the fast search; and generated keyboard entries for lists
// larger than the market's.

// One generated keyboard entry, with the getters the ranking reads.
struct KeyboardSample
{
    QString keys;
    QString secondKey;
    QString code;
    QString name;
    QString type;

    const QString& getKeys() const { return keys; }
    const QString& getSecondKey() const { return secondKey; }
    const QString& getCode() const { return code; }
    const QString& getName() const { return name; }
    const QString& getType() const { return type; }
};

Q_DECLARE_METATYPE(KeyboardSample)

// Securities, sectors, functions and indicators shaped like the cache's list:
// keys "code|INITIALS", second key market + code, upper-case keys. The same seed
// gives the same list.
QVector<KeyboardSample> generatedKeyboardEntries(int count, quint32 seed);

// Positions in `entries` of the matches of `text`, best first.
template <class List>
QVector<int> referenceKeyboardSearch(const List& entries, const QString& text, const QStringList& filterWords)
{
    const QString t = text.toUpper();
    if (t.isEmpty())
        return {};

    // Exact and partial groups.
    QList<int> exact;
    QList<int> partial;
    for (int i = 0; i < int(entries.size()); ++i) {
        const auto& e = entries.at(i);
        if (filterWords.contains(e.getType()))
            continue;
        const QStringList keys = e.getKeys().split(QLatin1Char('|'), Qt::SkipEmptyParts);
        if (keys.contains(t))
            exact.append(i);
        else if (e.getKeys().contains(t) || e.getSecondKey().contains(t) || e.getName().contains(t))
            partial.append(i);
    }

    // Promotion passes.
    struct Pass
    {
        QStringList words;
        int position;
    };
    const QStringList function = {QStringLiteral("功能"), QStringLiteral("指标")};
    const QStringList sector = {QStringLiteral("板块")};
    const QStringList aShare = {QStringLiteral("A股")};
    const QStringList bShare = {QStringLiteral("B股")};
    const QStringList index = {QStringLiteral("指数")};
    const QList<Pass> passes = {
        {function, 0}, {sector, 0}, {aShare, 0}, {bShare, 0}, {function, 1}, {sector, 1}, {aShare, 1},
        {index, 1},    {aShare, 2}, {aShare, 3}, {bShare, 1}, {bShare, 2},   {bShare, 3},
    };
    for (const Pass& pass : passes) {
        QList<int> stay;
        for (int i : partial) {
            const auto& e = entries.at(i);
            bool inCategory = false;
            for (const QString& word : pass.words)
                inCategory = inCategory || e.getType().contains(word);
            bool atPosition = false;
            for (const QString& key : e.getKeys().split(QLatin1Char('|'), Qt::SkipEmptyParts))
                atPosition = atPosition || key.indexOf(t) == pass.position;
            atPosition = atPosition || e.getSecondKey().indexOf(t) == pass.position
                         || e.getCode().indexOf(t) == pass.position || e.getName().indexOf(t) == pass.position;
            if (inCategory && atPosition)
                exact.append(i);
            else
                stay.append(i);
        }
        partial = stay;
    }

    // Remaining A shares, then remaining B shares.
    for (const QString& word : {QStringLiteral("A股"), QStringLiteral("B股")}) {
        QList<int> stay;
        for (int i : partial) {
            if (entries.at(i).getType().contains(word))
                exact.append(i);
            else
                stay.append(i);
        }
        partial = stay;
    }

    return (exact + partial).toVector();
}
