#include "stockyjcase.h"

StockYJCase::StockYJCase(const QString& caseId, quint32 fieldKey, const QString& op, const QString& threshold,
                         const QString& fieldName, const QString& title, const QString& unit, int multiple,
                         qint16 decimals)
    : mMultiple(multiple), mDecimals(decimals), mCaseId(caseId), mFieldKey(fieldKey), mOperator(op),
      mThreshold(threshold), mFieldName(fieldName), mTitle(title), mUnit(unit)
{
}

bool StockYJCase::operator==(const StockYJCase& other) const
{
    return mPopUp == other.mPopUp && mVoice == other.mVoice && mActive == other.mActive
           && mAutoClose == other.mAutoClose && mMultiple == other.mMultiple && mDecimals == other.mDecimals
           && mCaseId == other.mCaseId && mFieldKey == other.mFieldKey && mOperator == other.mOperator
           && mThreshold == other.mThreshold && mFieldName == other.mFieldName && mTitle == other.mTitle
           && mUnit == other.mUnit;
}
