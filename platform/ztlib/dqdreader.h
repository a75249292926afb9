#pragma once

#include <QMetaType>
#include <QSharedDataPointer>
#include <QString>
#include <QVariant>
#include <QVector>

class DQDReaderData;

// One row of the data library, read by numeric field key. Implicitly shared:
// copies are O(1) and a write detaches only the writer.
class DQDReader
{
public:
    DQDReader();
    DQDReader(const DQDReader& other);
    DQDReader(DQDReader&& other) noexcept;
    DQDReader& operator=(const DQDReader& other);
    DQDReader& operator=(DQDReader&& other) noexcept;
    ~DQDReader();

    // A key the row does not hold reads as the string "-".
    QVariant getValue(unsigned int key) const;
    bool hasValue(unsigned int key) const;
    void setValue(unsigned int key, const QVariant& value);
    void removeValue(unsigned int key);
    QVector<unsigned int> keys() const;
    int fieldCount() const;

    // 0: the combined code (field 10050), 1: the code, 2: the market text.
    QString getUniqueValue(int index = 0) const;
    bool isEmpty() const;
    // A-share or B-share, as opposed to an index or a sector.
    bool isStock() const;
    // Prices of this security carry three decimals.
    bool isShowPlaces3() const;

    // Same row data (values compared, not identity).
    bool sameValues(const DQDReader& other) const;
    bool sharesDataWith(const DQDReader& other) const { return d == other.d; }

private:
    QSharedDataPointer<DQDReaderData> d;
};

// The reader handed out by lists; compares by value.
class DQDUnionReader : public DQDReader
{
public:
    DQDUnionReader() = default;
    DQDUnionReader(const DQDReader& reader) : DQDReader(reader) {}

    DQDUnionReader copy() const { return *this; }
    bool operator==(const DQDUnionReader& other) const { return sameValues(other); }
    bool operator!=(const DQDUnionReader& other) const { return !sameValues(other); }
};

Q_DECLARE_METATYPE(DQDReader)
Q_DECLARE_METATYPE(DQDUnionReader)
