#include "quote/ztmarketlinebtngroup.h"

#include "controls/ztpushbutton.h"

#include <pubcache/pubcache.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/ztfields.h>

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QMutexLocker>
#include <QThread>
#include <QtConcurrent>

#include <algorithm>

ZtMarketLineBtnGroup::ZtMarketLineBtnGroup(bool loadIndustry, double leading, double trailing, double height,
                                           QWidget* parent)
    : QWidget(parent)
    , mLoadIndustry(loadIndustry)
{
    qRegisterMetaType<DQDDataList>("DQDDataList");
    setFocusPolicy(Qt::NoFocus);
    mLayout = new QHBoxLayout(this);
    mLayout->setContentsMargins(5, 0, 1, 0);
    mLayout->setSpacing(0);

    mCaption = new QLabel(QStringLiteral("所属行业："), this);
    mCaption->hide();
    mLayout->addSpacing(int(leading + 70));
    mLayout->addWidget(mCaption, 0, Qt::AlignTop);
    for (auto*& button : mIndustry) {
        button = new ZtPushButton(this);
        button->hide();
        mLayout->addWidget(button, 0, Qt::AlignTop);
        connect(button, &ZtPushButton::onSyncClicked, this, &ZtMarketLineBtnGroup::doClicked);
    }
    mLayout->addStretch();
    for (auto*& button : mConcept) {
        button = new ZtPushButton(this);
        button->hide();
        mLayout->addWidget(button, 0, Qt::AlignTop);
        connect(button, &ZtPushButton::onSyncClicked, this, &ZtMarketLineBtnGroup::doClicked);
    }
    mLayout->addSpacing(int(trailing));
    setFixedHeight(int(height));

    connect(this, &ZtMarketLineBtnGroup::onSshyLoad, this, &ZtMarketLineBtnGroup::doSshyLoad, Qt::QueuedConnection);
    connect(this, &ZtMarketLineBtnGroup::onGptLoad, this, &ZtMarketLineBtnGroup::doGpgsLoad, Qt::QueuedConnection);
}

ZtMarketLineBtnGroup::~ZtMarketLineBtnGroup()
{
    mLoadingEnabled = false;
    for (QFuture<void>& load : mLoads)
        load.waitForFinished();
}

QString ZtMarketLineBtnGroup::currentCode() const
{
    QMutexLocker lock(&mCodeMutex);
    return mCode;
}

void ZtMarketLineBtnGroup::resetStock(DQDUnionReader row)
{
    const QString code = row.getUniqueValue(0);
    if (code == currentCode())
        return;
    clear();
    {
        QMutexLocker lock(&mCodeMutex);
        mCode = code;
    }
    if (mLoadIndustry)
        startLoad(true);
    startLoad(false);
}

void ZtMarketLineBtnGroup::startLoad(bool industry)
{
    mLoads.erase(std::remove_if(mLoads.begin(), mLoads.end(), [](const QFuture<void>& f) { return f.isFinished(); }),
                 mLoads.end());
    mLoads.append(industry ? QtConcurrent::run(this, &ZtMarketLineBtnGroup::doLoadSshyData)
                           : QtConcurrent::run(this, &ZtMarketLineBtnGroup::doLoadGptsData));
}

void ZtMarketLineBtnGroup::appendButton(ZtPushButton* button, int index)
{
    if (!button)
        return;
    if (index < 0) {
        button->setParent(this);
        mLayout->insertWidget(mLayout->indexOf(mConcept[2]) + 1, button, 0, Qt::AlignTop);
    } else if (index < mLayout->count()) {
        button->setParent(this);
        mLayout->insertWidget(index, button);
    }
}

void ZtMarketLineBtnGroup::clear()
{
    mCaption->hide();
    for (ZtPushButton* button : mIndustry)
        button->hide();
    for (ZtPushButton* button : mConcept)
        button->hide();
}

void ZtMarketLineBtnGroup::doClicked(ZtPushButton* button, bool)
{
    if (button)
        emit onResetStock(button->getData().getData().toString());
}

void ZtMarketLineBtnGroup::fill(ZtPushButton* const* buttons, const DQDDataList& data)
{
    for (int i = 0; i < 3 && i < data.count(); ++i) {
        const DQDUnionReader* row = data.at(i);
        buttons[i]->setDatas(PushDataMenu(row->getValue(ZtField::SectorName).toString(),
                                          row->getValue(ZtField::SectorCode).toString()));
        buttons[i]->show();
    }
}

void ZtMarketLineBtnGroup::doSshyLoad(QString code, DQDDataList data)
{
    if (code != currentCode())
        return;
    if (!data.isEmpty())
        mCaption->show();
    fill(mIndustry, data);
    int width = mCaption->sizeHint().width();
    for (ZtPushButton* button : mIndustry) {
        if (!button->isHidden())
            width += button->sizeHint().width();
    }
    emit onShowPushButton(width);
}

void ZtMarketLineBtnGroup::doGpgsLoad(QString code, DQDDataList data)
{
    if (code != currentCode())
        return;
    fill(mConcept, data);
}

void ZtMarketLineBtnGroup::doLoadSshyData()
{
    loadSectors(true);
}

void ZtMarketLineBtnGroup::doLoadGptsData()
{
    loadSectors(false);
}

bool ZtMarketLineBtnGroup::keepLoading(const QString& code) const
{
    return PubCache::runFlag && mLoadingEnabled && currentCode() == code;
}

void ZtMarketLineBtnGroup::loadSectors(bool industry)
{
    const QString code = currentCode();
    int empty = 0;
    while (keepLoading(code)) {
        const DQDDataList list = industry ? PBDataChange::LBGD_BKList_BKDHForStock(code)
                                          : PBDataChange::LBGD_BKList_BKDGSpecialForStock(code);
        if (!list.isEmpty()) {
            if (industry)
                emit onSshyLoad(code, list);
            else
                emit onGptLoad(code, list);
            return;
        }
        ++empty;
        // A short wait after the first empty answer, none for the next nine, then a long one.
        const int steps = empty == 1 ? 50 : empty <= 10 ? 0 : 300;
        for (int i = 0; i < steps; ++i) {
            if (!keepLoading(code))
                return;
            QThread::msleep(10);
        }
    }
}
