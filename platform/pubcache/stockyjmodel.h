#pragma once

#include "stockyjcase.h"

#include <QList>
#include <QMetaType>
#include <QString>

// The alert conditions of one stock, in the order the user made them.
class StockYJModel
{
public:
    StockYJModel() = default;
    explicit StockYJModel(const QString& code, const QList<StockYJCase>& cases = QList<StockYJCase>());

    QString getCode() const { return mCode; }
    void setCode(const QString& code) { mCode = code; }
    QList<StockYJCase> getCaseList() const { return mCases; }
    void setCaseList(const QList<StockYJCase>& cases) { mCases = cases; }

    // Replaces the condition with the same id, or appends it.
    void setCase(const StockYJCase& yjCase);
    bool removeCase(const QString& caseId);
    // False when no condition has that id.
    bool setCaseActive(const QString& caseId, bool active);
    int indexOf(const QString& caseId) const;
    bool hasActiveCase() const;
    int count() const { return mCases.size(); }
    bool isEmpty() const { return mCases.isEmpty(); }

    bool operator==(const StockYJModel& other) const { return mCode == other.mCode && mCases == other.mCases; }
    bool operator!=(const StockYJModel& other) const { return !(*this == other); }

private:
    QString mCode;
    QList<StockYJCase> mCases;
};

Q_DECLARE_METATYPE(StockYJModel)
