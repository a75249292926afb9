#include "fairy/ztkeyboardsearch.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

// Which strings of an entry a text position belongs to.
enum Kind : quint8 {
    KindKeys,    // the whole "|"-joined key string
    KindSecond,
    KindCode,
    KindName,
};

// Category words of a type, one bit each.
enum Category : quint8 {
    CatFunction = 1,  // "功能" or "指标"
    CatSector = 2,    // "板块"
    CatAShare = 4,    // "A股"
    CatBShare = 8,    // "B股"
    CatIndex = 16,    // "指数"
};

// What an input does to one entry. Bits 0-3: the first occurrence of the input in a
// split key, the second key, the code or the name starts at position 0, 1, 2 or 3.
enum Flag : quint8 {
    FlagContains = 16,  // occurs in the whole key string, the second key or the name
    FlagExact = 32,     // equals one of the split keys
};

struct Pass
{
    quint8 categories;
    quint8 position;
};

// The promotion passes, in the order they run.
constexpr Pass kPasses[] = {
    {CatFunction, 0}, {CatSector, 0}, {CatAShare, 0}, {CatBShare, 0}, {CatFunction, 1},
    {CatSector, 1},   {CatAShare, 1}, {CatIndex, 1},  {CatAShare, 2}, {CatAShare, 3},
    {CatBShare, 1},   {CatBShare, 2}, {CatBShare, 3},
};
constexpr int kPassCount = int(sizeof(kPasses) / sizeof(kPasses[0]));

// Bucket 0 is the exact group, 1..13 the passes, 14 the remaining A shares, 15 the
// remaining B shares, 16 the rest of the partial group.
constexpr int kBucketCount = kPassCount + 4;
constexpr quint8 kNoBucket = 0xff;

// Inputs longer than this are matched on their first units and then verified.
constexpr int kSortDepth = 8;

quint8 bucketOf(quint8 categories, quint8 flags)
{
    if (flags & FlagExact)
        return 0;
    if (!(flags & FlagContains))
        return kNoBucket;
    for (int i = 0; i < kPassCount; ++i) {
        if ((categories & kPasses[i].categories) && (flags & (1u << kPasses[i].position)))
            return quint8(i + 1);
    }
    if (categories & CatAShare)
        return kPassCount + 1;
    if (categories & CatBShare)
        return kPassCount + 2;
    return kPassCount + 3;
}

// bucketOf for every category set and flag set, looked up per entry.
struct BucketTable
{
    std::array<quint8, 32 * 64> table{};
    BucketTable()
    {
        for (int c = 0; c < 32; ++c) {
            for (int f = 0; f < 64; ++f)
                table[size_t(c * 64 + f)] = bucketOf(quint8(c), quint8(f));
        }
    }
    quint8 operator()(quint8 categories, quint8 flags) const { return table[size_t(categories) * 64 + flags]; }
};

const BucketTable& bucketTable()
{
    static const BucketTable table;
    return table;
}

quint8 categoriesOf(const QString& type)
{
    quint8 c = 0;
    if (type.contains(QStringLiteral("功能")) || type.contains(QStringLiteral("指标")))
        c |= CatFunction;
    if (type.contains(QStringLiteral("板块")))
        c |= CatSector;
    if (type.contains(QStringLiteral("A股")))
        c |= CatAShare;
    if (type.contains(QStringLiteral("B股")))
        c |= CatBShare;
    if (type.contains(QStringLiteral("指数")))
        c |= CatIndex;
    return c;
}

// Matches in list order (buckets parallel) ranked by bucket, list order within one.
QVector<int> rankedByBucket(const std::vector<quint32>& ordered, const std::vector<quint8>& buckets)
{
    std::array<int, kBucketCount + 1> start{};
    for (quint8 b : buckets)
        ++start[size_t(b) + 1];
    for (int b = 1; b <= kBucketCount; ++b)
        start[size_t(b)] += start[size_t(b) - 1];
    QVector<int> result(start[kBucketCount]);
    int* out = result.data();
    for (size_t i = 0; i < ordered.size(); ++i)
        out[start[buckets[i]]++] = int(ordered[i]);
    return result;
}

// Sorts values stably by the 16-bit digits at the given shifts, least significant first.
void radixSort(std::vector<quint64>& values, std::initializer_list<int> shifts)
{
    std::vector<quint64> tmp(values.size());
    std::vector<quint32> count(65537);
    for (int shift : shifts) {
        std::fill(count.begin(), count.end(), 0);
        for (quint64 v : values)
            ++count[((v >> shift) & 0xffff) + 1];
        for (size_t i = 1; i < count.size(); ++i)
            count[i] += count[i - 1];
        for (quint64 v : values)
            tmp[count[(v >> shift) & 0xffff]++] = v;
        values.swap(tmp);
    }
}

}

class ZtKeyboardSearchPrivate
{
public:
    // Where an entry's strings lie in `text`: the whole key string, then the second
    // key, the code and the name, back to back.
    struct Entry
    {
        quint32 start;
        quint32 length[4];
        quint32 spanBegin;  // split keys: spans[spanBegin .. next entry's spanBegin]
        // False when the code equals a split key, which then places the input the same way.
        bool codeIndexed;
    };

    // One split key, relative to the key string.
    struct Span
    {
        quint32 start;
        quint32 length;
    };

    // One text position in the sorted suffix table.
    struct Suffix
    {
        quint32 pos;
        quint32 entryKind;  // entry << 2 | Kind
        quint32 span;       // length of the split key or string holding pos; 0 on a "|"
        quint32 offset;     // pos relative to that split key or string
    };

    using SortKey = std::pair<quint64, quint64>;

    void addEntry(const QString& keys, const QString& secondKey, const QString& code, const QString& name,
                  const QString& type);
    void build();
    static SortKey sortKey(const char16_t* t, quint32 length);
    quint32 stringStart(quint32 e, int kind) const;
    bool indexed(quint32 e, int kind) const;
    void buildSuffixes();
    void buildGrams();
    void applyFilter();

    QVector<int> searchGram(quint32 key, int n) const;
    QVector<int> searchSuffixes(const char16_t* t, int n) const;
    QVector<int> ranked() const;

    std::vector<char16_t> text;
    std::vector<Entry> entries;
    std::vector<Span> spans;
    std::vector<quint8> category;
    std::vector<quint32> typeId;
    QHash<QString, int> typeIds;
    QStringList types;
    std::vector<quint8> typeFiltered;
    QStringList filterWords;
    bool built = false;

    // Every text position, ordered by the first kSortDepth units that start there.
    std::vector<Suffix> suffixes;

    // Inputs of one and two units: the entries whose strings hold that text, in list
    // order, with the flags the text earns them. Keys: the units as a number.
    struct Grams
    {
        std::vector<quint32> keys;
        std::vector<quint32> begin;  // postings of keys[i]: begin[i] .. begin[i + 1]
        std::vector<quint32> entry;
        std::vector<quint8> flags;
    };
    Grams grams[2];
    bool gramsBuilt = false;

    // Scratch of one search. The entry state holds the search generation above the
    // flags, so nothing is cleared per keystroke.
    mutable quint64 generation = 0;
    mutable std::vector<quint64> entryState;
    mutable std::vector<quint32> touched;
    mutable std::vector<quint32> ordered;
    mutable std::vector<quint8> buckets;
};

quint32 ZtKeyboardSearchPrivate::stringStart(quint32 e, int kind) const
{
    const Entry& en = entries[e];
    quint32 start = en.start;
    for (int k = 0; k < kind; ++k)
        start += en.length[k];
    return start;
}

void ZtKeyboardSearchPrivate::addEntry(const QString& keys, const QString& secondKey, const QString& code,
                                       const QString& name, const QString& type)
{
    Entry en;
    en.start = quint32(text.size());
    en.spanBegin = quint32(spans.size());
    const QString* strings[4] = {&keys, &secondKey, &code, &name};
    for (int k = 0; k < 4; ++k) {
        const auto* units = reinterpret_cast<const char16_t*>(strings[k]->utf16());
        text.insert(text.end(), units, units + strings[k]->size());
        en.length[k] = quint32(strings[k]->size());
    }
    int from = 0;
    while (from <= keys.size()) {
        int bar = keys.indexOf(QLatin1Char('|'), from);
        if (bar < 0)
            bar = keys.size();
        if (bar > from)
            spans.push_back({quint32(from), quint32(bar - from)});
        from = bar + 1;
    }
    en.codeIndexed = true;
    for (size_t k = en.spanBegin; k < spans.size() && en.codeIndexed; ++k)
        en.codeIndexed = QStringView(keys).mid(int(spans[k].start), int(spans[k].length)) != code;
    entries.push_back(en);

    auto it = typeIds.constFind(type);
    if (it == typeIds.constEnd()) {
        it = typeIds.insert(type, types.size());
        types.append(type);
    }
    typeId.push_back(quint32(it.value()));
    category.push_back(categoriesOf(type));
    built = false;
}

// The first kSortDepth units at a position as two numbers that sort like the text:
// one 16-bit digit per unit, 0 past the end of the string. Units U+FFFE and U+FFFF
// share a digit, so inputs holding them are verified (see searchSuffixes).
ZtKeyboardSearchPrivate::SortKey ZtKeyboardSearchPrivate::sortKey(const char16_t* t, quint32 length)
{
    quint64 k[2] = {0, 0};
    const quint32 l = qMin<quint32>(length, kSortDepth);
    for (quint32 i = 0; i < l; ++i)
        k[i / 4] |= quint64(qMin<quint32>(quint32(t[i]) + 1, 0xffff)) << (48 - 16 * (i % 4));
    return {k[0], k[1]};
}

bool ZtKeyboardSearchPrivate::indexed(quint32 e, int kind) const
{
    return kind != KindCode || entries[e].codeIndexed;
}

void ZtKeyboardSearchPrivate::buildSuffixes()
{
    struct Keyed
    {
        SortKey key;
        quint32 index;
    };
    std::vector<Suffix> all;
    std::vector<Keyed> keyed;
    all.reserve(text.size());
    keyed.reserve(text.size());
    const quint32 count = quint32(entries.size());
    for (quint32 e = 0; e < count; ++e) {
        const Entry& en = entries[e];
        const quint32 spanEnd = e + 1 < count ? entries[e + 1].spanBegin : quint32(spans.size());
        quint32 start = en.start;
        for (int kind = 0; kind < 4; ++kind) {
            const quint32 length = en.length[kind];
            const quint32 end = start + length;
            for (quint32 i = 0; i < length && indexed(e, kind); ++i) {
                Suffix s{start + i, e << 2 | quint32(kind), length, i};
                if (kind == KindKeys) {
                    s.span = 0;
                    s.offset = 0;
                    for (quint32 k = en.spanBegin; k < spanEnd; ++k) {
                        if (i >= spans[k].start && i < spans[k].start + spans[k].length) {
                            s.span = spans[k].length;
                            s.offset = i - spans[k].start;
                            break;
                        }
                    }
                }
                keyed.push_back({sortKey(text.data() + start + i, end - start - i), quint32(all.size())});
                all.push_back(s);
            }
            start = end;
        }
    }

    // Bucket by the first unit, then sort inside the buckets.
    std::vector<quint32> first(65537, 0);
    for (const Keyed& k : keyed)
        ++first[(k.key.first >> 48) + 1];
    for (size_t i = 1; i < first.size(); ++i)
        first[i] += first[i - 1];
    std::vector<Keyed> sorted(keyed.size());
    std::vector<quint32> next(first.begin(), first.end() - 1);
    for (const Keyed& k : keyed)
        sorted[next[k.key.first >> 48]++] = k;
    for (size_t b = 0; b + 1 < first.size(); ++b) {
        if (first[b + 1] - first[b] > 1) {
            std::sort(sorted.begin() + first[b], sorted.begin() + first[b + 1],
                      [](const Keyed& x, const Keyed& y) { return x.key < y.key; });
        }
    }
    suffixes.resize(sorted.size());
    for (size_t i = 0; i < sorted.size(); ++i)
        suffixes[i] = all[sorted[i].index];
}

// Postings of every one- and two-unit text: for each entry, the flags that text
// earns it. Built from one tuple per occurrence, sorted by text with the entries
// kept in order, then merged per entry.
void ZtKeyboardSearchPrivate::buildGrams()
{
    const quint32 count = quint32(entries.size());
    // Packed as text << 32 | entry << 8 | flags; the list must fit 24 bits of entry.
    gramsBuilt = count < (1u << 24);
    if (!gramsBuilt)
        return;
    for (int n = 1; n <= 2; ++n) {
        std::vector<quint64> tuples;
        tuples.reserve(text.size() + size_t(count) * 16);
        auto gramKey = [n](const char16_t* s) {
            return n == 1 ? quint32(s[0]) : quint32(s[0]) << 16 | quint32(s[1]);
        };
        auto emit = [&](const char16_t* s, quint32 e, quint8 flags) {
            tuples.push_back(quint64(gramKey(s)) << 32 | quint64(e) << 8 | flags);
        };
        // Position bits for texts whose first occurrence starts at 0..3.
        auto firstOccurrences = [&](const char16_t* s, quint32 length, quint32 e) {
            if (length < quint32(n))
                return;
            const quint32 last = qMin<quint32>(3, length - quint32(n));
            for (quint32 i = 0; i <= last; ++i) {
                bool earlier = false;
                for (quint32 j = 0; j < i && !earlier; ++j)
                    earlier = std::equal(s + j, s + j + n, s + i);
                if (!earlier)
                    emit(s + i, e, quint8(1u << i));
            }
        };
        auto contains = [&](const char16_t* s, quint32 length, quint32 e) {
            for (quint32 i = 0; i + quint32(n) <= length; ++i)
                emit(s + i, e, FlagContains);
        };
        for (quint32 e = 0; e < count; ++e) {
            const Entry& en = entries[e];
            const char16_t* keys = text.data() + en.start;
            contains(keys, en.length[KindKeys], e);
            const quint32 spanEnd = e + 1 < count ? entries[e + 1].spanBegin : quint32(spans.size());
            for (quint32 k = en.spanBegin; k < spanEnd; ++k) {
                firstOccurrences(keys + spans[k].start, spans[k].length, e);
                if (spans[k].length == quint32(n))
                    emit(keys + spans[k].start, e, FlagExact);
            }
            const char16_t* s = keys + en.length[KindKeys];
            for (int kind = KindSecond; kind <= KindName; ++kind) {
                if (kind != KindCode)
                    contains(s, en.length[kind], e);
                if (indexed(e, kind))
                    firstOccurrences(s, en.length[kind], e);
                s += en.length[kind];
            }
        }
        radixSort(tuples, {32, 48});

        Grams& g = grams[n - 1];
        g = Grams();
        for (size_t i = 0; i < tuples.size();) {
            const quint64 head = tuples[i] >> 8;  // text and entry
            quint8 flags = 0;
            for (; i < tuples.size() && tuples[i] >> 8 == head; ++i)
                flags |= quint8(tuples[i]);
            // Text found only in the code does not make the entry match.
            if (!(flags & FlagContains))
                continue;
            const quint32 key = quint32(head >> 24);
            if (g.keys.empty() || g.keys.back() != key) {
                g.keys.push_back(key);
                g.begin.push_back(quint32(g.entry.size()));
            }
            g.entry.push_back(quint32(head & 0xffffff));
            g.flags.push_back(flags);
        }
        g.begin.push_back(quint32(g.entry.size()));
    }
}

void ZtKeyboardSearchPrivate::applyFilter()
{
    typeFiltered.assign(size_t(types.size()), 0);
    for (int i = 0; i < types.size(); ++i)
        typeFiltered[size_t(i)] = filterWords.contains(types.at(i)) ? 1 : 0;
}

void ZtKeyboardSearchPrivate::build()
{
    buildSuffixes();
    buildGrams();
    applyFilter();
    entryState.assign(entries.size(), 0);
    generation = 0;
    built = true;
}

QVector<int> ZtKeyboardSearchPrivate::ranked() const
{
    return rankedByBucket(ordered, buckets);
}

QVector<int> ZtKeyboardSearchPrivate::searchGram(quint32 key, int n) const
{
    const Grams& g = grams[n - 1];
    ordered.clear();
    buckets.clear();
    const auto it = std::lower_bound(g.keys.begin(), g.keys.end(), key);
    if (it == g.keys.end() || *it != key)
        return {};
    const size_t k = size_t(it - g.keys.begin());
    const BucketTable& table = bucketTable();
    for (quint32 i = g.begin[k]; i < g.begin[k + 1]; ++i) {
        const quint32 e = g.entry[i];
        if (typeFiltered[typeId[e]])
            continue;
        ordered.push_back(e);
        buckets.push_back(table(category[e], g.flags[i]));
    }
    return ranked();
}

QVector<int> ZtKeyboardSearchPrivate::searchSuffixes(const char16_t* t, int n) const
{
    // Suffixes whose first units equal the input's lie between the input's key padded
    // with the lowest and with the highest digits.
    const quint32 m = quint32(qMin(n, kSortDepth));
    const SortKey low = sortKey(t, m);
    SortKey high = low;
    for (quint32 i = m; i < quint32(kSortDepth); ++i)
        (i < 4 ? high.first : high.second) |= quint64(0xffff) << (48 - 16 * (i % 4));
    const char16_t* tx = text.data();
    auto keyAt = [&](const Suffix& s) {
        const quint32 e = s.entryKind >> 2;
        const int kind = int(s.entryKind & 3);
        const quint32 end = stringStart(e, kind) + entries[e].length[kind];
        return sortKey(tx + s.pos, end - s.pos);
    };
    const auto lo = std::partition_point(suffixes.begin(), suffixes.end(),
                                         [&](const Suffix& s) { return keyAt(s) < low; });
    const auto hi = std::partition_point(lo, suffixes.end(), [&](const Suffix& s) { return !(high < keyAt(s)); });
    const bool verify = n > kSortDepth || std::any_of(t, t + m, [](char16_t u) { return u >= 0xfffe; });
    const bool hasBar = std::find(t, t + n, u'|') != t + n;

    if (++generation >= (quint64(1) << 56)) {
        std::fill(entryState.begin(), entryState.end(), 0);
        generation = 1;
    }
    const quint64 gen = generation << 8;
    touched.clear();

    for (auto it = lo; it != hi; ++it) {
        const Suffix& s = *it;
        const quint32 e = s.entryKind >> 2;
        const int kind = int(s.entryKind & 3);
        if (verify) {
            const quint32 end = stringStart(e, kind) + entries[e].length[kind];
            if (s.pos + quint32(n) > end || !std::equal(t, t + n, tx + s.pos))
                continue;
        }
        quint64& state = entryState[e];
        if ((state & ~quint64(0xff)) != gen) {
            state = gen;
            touched.push_back(e);
        }
        quint8 flags = kind == KindCode ? 0 : FlagContains;
        // An input with "|" matches across keys, never inside one.
        const bool positioned = kind != KindKeys || (!hasBar && s.span != 0);
        if (positioned && s.offset < 4) {
            // Only the first occurrence in a key or string places the input.
            bool earlier = false;
            for (quint32 j = 1; j <= s.offset && !earlier; ++j)
                earlier = std::equal(t, t + n, tx + s.pos - j);
            if (!earlier)
                flags |= quint8(1u << s.offset);
            if (kind == KindKeys && s.offset == 0 && s.span == quint32(n))
                flags |= FlagExact;
        }
        state |= flags;
    }

    // Back into list order: sort a few, sweep the states for many.
    const BucketTable& table = bucketTable();
    ordered.clear();
    buckets.clear();
    auto take = [&](quint32 e) {
        if (typeFiltered[typeId[e]])
            return;
        const quint8 b = table(category[e], quint8(entryState[e]));
        if (b == kNoBucket)
            return;
        ordered.push_back(e);
        buckets.push_back(b);
    };
    if (touched.size() * 16 < entryState.size()) {
        std::sort(touched.begin(), touched.end());
        for (quint32 e : touched)
            take(e);
    } else {
        for (quint32 e = 0; e < entryState.size(); ++e) {
            if ((entryState[e] & ~quint64(0xff)) == gen)
                take(e);
        }
    }
    return ranked();
}

ZtKeyboardSearch::ZtKeyboardSearch() : d(new ZtKeyboardSearchPrivate) {}

ZtKeyboardSearch::~ZtKeyboardSearch() = default;

void ZtKeyboardSearch::clear()
{
    const QStringList words = d->filterWords;
    d.reset(new ZtKeyboardSearchPrivate);
    d->filterWords = words;
}

void ZtKeyboardSearch::reserve(int entries)
{
    if (entries <= 0)
        return;
    d->entries.reserve(size_t(entries));
    d->category.reserve(size_t(entries));
    d->typeId.reserve(size_t(entries));
}

void ZtKeyboardSearch::addEntry(const QString& keys, const QString& secondKey, const QString& code,
                                const QString& name, const QString& type)
{
    d->addEntry(keys, secondKey, code, name, type);
}

void ZtKeyboardSearch::build()
{
    d->build();
}

int ZtKeyboardSearch::count() const
{
    return int(d->entries.size());
}

void ZtKeyboardSearch::setFilterWords(const QStringList& words)
{
    d->filterWords = words;
    d->applyFilter();
}

QStringList ZtKeyboardSearch::filterWords() const
{
    return d->filterWords;
}

QVector<int> ZtKeyboardSearch::search(const QString& text) const
{
    if (text.isEmpty() || d->entries.empty())
        return {};
    if (!d->built)
        d->build();
    const auto* t = reinterpret_cast<const char16_t*>(text.utf16());
    if (d->gramsBuilt && text.size() == 1)
        return d->searchGram(t[0], 1);
    if (d->gramsBuilt && text.size() == 2)
        return d->searchGram(quint32(t[0]) << 16 | t[1], 2);
    return d->searchSuffixes(t, text.size());
}

struct ZtKeyboardSearch::Scan::Data
{
    QString text;
    QStringList filterWords;
    // Per type: its categories, or kNoBucket when filtered out.
    QHash<QString, quint8> typeCategories;
    std::vector<quint32> matches;
    std::vector<quint8> buckets;
};

ZtKeyboardSearch::Scan::Scan(const QString& text, const QStringList& filterWords) : d(new Data)
{
    d->text = text;
    d->filterWords = filterWords;
}

ZtKeyboardSearch::Scan::~Scan() = default;

void ZtKeyboardSearch::Scan::add(int index, const QString& keys, const QString& secondKey, const QString& code,
                                 const QString& name, const QString& type)
{
    auto it = d->typeCategories.constFind(type);
    if (it == d->typeCategories.constEnd())
        it = d->typeCategories.insert(type, d->filterWords.contains(type) ? kNoBucket : categoriesOf(type));
    const quint8 categories = it.value();
    if (categories == kNoBucket)
        return;

    const QStringView t(d->text);
    quint8 flags = 0;
    auto place = [&](QStringView s) {
        const int at = s.indexOf(t);
        if (at >= 0 && at < 4)
            flags |= quint8(1u << at);
    };
    const QStringView all(keys);
    int from = 0;
    while (from <= all.size()) {
        int bar = all.indexOf(QLatin1Char('|'), from);
        if (bar < 0)
            bar = all.size();
        if (bar > from) {
            const QStringView key = all.mid(from, bar - from);
            if (key == t)
                flags |= FlagExact;
            place(key);
        }
        from = bar + 1;
    }
    if (all.contains(t) || QStringView(secondKey).contains(t) || QStringView(name).contains(t))
        flags |= FlagContains;
    if (!(flags & (FlagExact | FlagContains)))
        return;
    place(secondKey);
    place(code);
    place(name);
    d->matches.push_back(quint32(index));
    d->buckets.push_back(bucketTable()(categories, flags));
}

QVector<int> ZtKeyboardSearch::Scan::ranked() const
{
    return rankedByBucket(d->matches, d->buckets);
}
