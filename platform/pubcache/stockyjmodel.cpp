#include "stockyjmodel.h"

StockYJModel::StockYJModel(const QString& code, const QList<StockYJCase>& cases) : mCode(code), mCases(cases) {}

void StockYJModel::setCase(const StockYJCase& yjCase)
{
    const int i = indexOf(yjCase.getCaseId());
    if (i >= 0)
        mCases[i] = yjCase;
    else
        mCases.append(yjCase);
}

bool StockYJModel::removeCase(const QString& caseId)
{
    const int i = indexOf(caseId);
    if (i < 0)
        return false;
    mCases.removeAt(i);
    return true;
}

bool StockYJModel::setCaseActive(const QString& caseId, bool active)
{
    const int i = indexOf(caseId);
    if (i < 0)
        return false;
    mCases[i].setActive(active);
    return true;
}

int StockYJModel::indexOf(const QString& caseId) const
{
    for (int i = 0; i < mCases.size(); ++i) {
        if (mCases.at(i).getCaseId() == caseId)
            return i;
    }
    return -1;
}

bool StockYJModel::hasActiveCase() const
{
    for (const StockYJCase& c : mCases) {
        if (c.isActive())
            return true;
    }
    return false;
}
