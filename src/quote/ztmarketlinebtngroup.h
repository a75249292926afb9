#pragma once

#include "ztcontrollib_global.h"

#include <ztlib/dqdquery.h>
#include <ztlib/dqdreader.h>

#include <QFuture>
#include <QMutex>
#include <QString>
#include <QVector>
#include <QWidget>

#include <atomic>

class QHBoxLayout;
class QLabel;
class ZtPushButton;

// The sectors a security belongs to, as up to three industry and three concept
// buttons over its chart. Both lists load in the background; a click switches the
// view to that sector (onResetStock).
class ZTCONTROLLIB_EXPORT ZtMarketLineBtnGroup : public QWidget
{
    Q_OBJECT
public:
    ZtMarketLineBtnGroup(bool loadIndustry, double leading, double trailing, double height,
                         QWidget* parent = nullptr);
    // Waits for the background loads, which notice within one pause step.
    ~ZtMarketLineBtnGroup() override;

    void resetStock(DQDUnionReader row);
    void appendButton(ZtPushButton* button, int index);
    void clear();

    QString currentCode() const;
    QLabel* caption() const { return mCaption; }
    ZtPushButton* industryButton(int i) const { return mIndustry[i]; }
    ZtPushButton* conceptButton(int i) const { return mConcept[i]; }

signals:
    void onShowPushButton(int mwidth);
    void onResetStock(QString stockCode);
    void onSshyLoad(QString code, DQDDataList data);
    void onGptLoad(QString code, DQDDataList data);

public slots:
    void doClicked(ZtPushButton* button, bool checked);
    void doSshyLoad(QString code, DQDDataList data);
    void doGpgsLoad(QString code, DQDDataList data);
    void doLoadSshyData();
    void doLoadGptsData();

private:
    // Asks for one sector list of the current code until it has rows or the code changes.
    void loadSectors(bool industry);
    bool keepLoading(const QString& code) const;
    void startLoad(bool industry);
    void fill(ZtPushButton* const* buttons, const DQDDataList& data);

    QHBoxLayout* mLayout = nullptr;
    QLabel* mCaption = nullptr;
    ZtPushButton* mIndustry[3] = {};
    ZtPushButton* mConcept[3] = {};
    bool mLoadIndustry = true;
    std::atomic<bool> mLoadingEnabled{true};
    mutable QMutex mCodeMutex;
    QString mCode;
    // Loads of earlier codes may still be finishing; all are waited for on destruction.
    QVector<QFuture<void>> mLoads;
};
