#pragma once

#include "ztcontrollib_global.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class ZtKeyboardSearchPrivate;

// The ranking of the keyboard fairy over a list of keyboard entries, indexed once
// per list so that a keystroke costs a look-up instead of a scan of every string.
//
// Ranking, for an input T (matched case-sensitively, as given):
//  - exact: one of the "|"-separated search keys equals T, in list order;
//  - partial: T occurs in the whole key string, the second key or the name;
//    partial entries are promoted, pass by pass, when their type contains a
//    category word and T first occurs at a given position of a split key, the
//    second key, the code or the name; then the remaining A-share and B-share
//    entries; then the rest, each group in list order.
// Entries whose type equals a filter word are never returned.
//
// Not thread-safe: one search at a time (the fairy searches on the GUI thread).
class ZTCONTROLLIB_EXPORT ZtKeyboardSearch
{
public:
    ZtKeyboardSearch();
    ~ZtKeyboardSearch();
    ZtKeyboardSearch(const ZtKeyboardSearch&) = delete;
    ZtKeyboardSearch& operator=(const ZtKeyboardSearch&) = delete;

    // Replaces the entries with those of a list of records that offer getKeys(),
    // getSecondKey(), getCode(), getName() and getType() (UserKeyBoard), and indexes them.
    template <class List>
    void setEntries(const List& list)
    {
        clear();
        reserve(int(list.size()));
        for (const auto& entry : list)
            addEntry(entry.getKeys(), entry.getSecondKey(), entry.getCode(), entry.getName(), entry.getType());
        build();
    }

    // Low-level filling: clear(), addEntry() per entry, then build() before searching.
    void clear();
    void reserve(int entries);
    void addEntry(const QString& keys, const QString& secondKey, const QString& code, const QString& name,
                  const QString& type);
    void build();

    int count() const;

    void setFilterWords(const QStringList& words);
    QStringList filterWords() const;

    // Positions of the matching entries (0-based, in the order they were added), best first.
    QVector<int> search(const QString& text) const;

    // The same ranking by a plain scan of a list of records, with no index: the
    // answer while an index of the list is being built.
    template <class List>
    static QVector<int> scan(const List& list, const QString& text, const QStringList& filterWords)
    {
        Scan s(text, filterWords);
        if (text.isEmpty())
            return {};
        int i = 0;
        for (const auto& entry : list)
            s.add(i++, entry.getKeys(), entry.getSecondKey(), entry.getCode(), entry.getName(), entry.getType());
        return s.ranked();
    }

private:
    class Scan
    {
    public:
        Scan(const QString& text, const QStringList& filterWords);
        ~Scan();
        Scan(const Scan&) = delete;
        Scan& operator=(const Scan&) = delete;
        void add(int index, const QString& keys, const QString& secondKey, const QString& code, const QString& name,
                 const QString& type);
        QVector<int> ranked() const;

    private:
        struct Data;
        std::unique_ptr<Data> d;
    };

    std::unique_ptr<ZtKeyboardSearchPrivate> d;
};
