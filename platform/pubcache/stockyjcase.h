#pragma once

#include <QMetaType>
#include <QString>
#include <QtGlobal>

// One alert condition of a stock: field value ">=" or "<=" a threshold.
class StockYJCase
{
public:
    StockYJCase() = default;
    StockYJCase(const QString& caseId, quint32 fieldKey, const QString& op, const QString& threshold,
                const QString& fieldName, const QString& title, const QString& unit = QString(),
                int multiple = 1, qint16 decimals = 2);

    bool isPopUp() const { return mPopUp; }
    bool isVoice() const { return mVoice; }
    bool isActive() const { return mActive; }
    bool isAutoClose() const { return mAutoClose; }
    // The threshold text's value is multiplied by this before comparing (e.g. 10000 for 万).
    int getMultiple() const { return mMultiple; }
    // Both sides are rounded to this many decimals before comparing.
    qint16 getDecimals() const { return mDecimals; }
    QString getCaseId() const { return mCaseId; }
    quint32 getFieldKey() const { return mFieldKey; }
    // ">=" or "<="
    QString getOperator() const { return mOperator; }
    QString getThreshold() const { return mThreshold; }
    QString getFieldName() const { return mFieldName; }
    QString getTitle() const { return mTitle; }
    QString getUnit() const { return mUnit; }

    void setPopUp(bool on) { mPopUp = on; }
    void setVoice(bool on) { mVoice = on; }
    void setActive(bool on) { mActive = on; }
    void setAutoClose(bool on) { mAutoClose = on; }
    void setMultiple(int multiple) { mMultiple = multiple; }
    void setDecimals(qint16 decimals) { mDecimals = decimals; }
    void setCaseId(const QString& id) { mCaseId = id; }
    void setFieldKey(quint32 key) { mFieldKey = key; }
    void setOperator(const QString& op) { mOperator = op; }
    void setThreshold(const QString& threshold) { mThreshold = threshold; }
    void setFieldName(const QString& name) { mFieldName = name; }
    void setTitle(const QString& title) { mTitle = title; }
    void setUnit(const QString& unit) { mUnit = unit; }

    bool operator==(const StockYJCase& other) const;
    bool operator!=(const StockYJCase& other) const { return !(*this == other); }

private:
    bool mPopUp = true;
    bool mVoice = true;
    bool mActive = true;
    bool mAutoClose = false;
    int mMultiple = 1;
    qint16 mDecimals = 2;
    QString mCaseId;
    quint32 mFieldKey = 0;
    QString mOperator;
    QString mThreshold;
    QString mFieldName;
    QString mTitle;
    QString mUnit;
};

Q_DECLARE_METATYPE(StockYJCase)
