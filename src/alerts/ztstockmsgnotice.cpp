#include "ztstockmsgnotice.h"
#include "ztalertslog.h"

#include <format/markup/valueformat.h>
#include <pubcache/pubcache.h>
#include <ztlib/pubcachecustom.h>

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace {
constexpr unsigned int kTime = 70010;
constexpr unsigned int kCode = 70020;
constexpr unsigned int kText1 = 70030;
constexpr unsigned int kText2 = 70040;
constexpr unsigned int kDirection = 70060;

QString colourFor(const QString& name)
{
    auto it = PubCacheCustom::mCustomColor.constFind(name);
    if (it != PubCacheCustom::mCustomColor.cend() && !it->isEmpty())
        return it->first();
    it = PubCacheCustom::mDefultColor.constFind(name);
    if (it != PubCacheCustom::mDefultColor.cend() && !it->isEmpty())
        return it->first();
    return QString();
}
}

ZtStockMsgNotice::ZtStockMsgNotice(ZtLayoutBase* parent) : ZtLayoutBase(QStringLiteral("ZtStockMsgNotice"), parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    mPixmap = QPixmap(QStringLiteral(":/images/MainFrom/btn_dxjl.png"));
    mIcon = new QLabel(this);
    mIcon->setPixmap(mPixmap);
    mIcon->setFixedSize(mPixmap.size() + QSize(2, 2));
    mText = new QLabel(this);
    layout->addWidget(mIcon);
    layout->addWidget(mText, 1);
    setFont(QFont(QStringLiteral("微软雅黑"), 12));

    mClickTimer.setSingleShot(true);
    mClickTimer.setInterval(0);
    connect(&mClickTimer, &QTimer::timeout, this, &ZtStockMsgNotice::mousePress);
    connect(&PubCache::SSignal, &PubStaticSignal::onNewStockMsg, this, &ZtStockMsgNotice::setData);
}

void ZtStockMsgNotice::setData(DQDUnionReader stockMsg)
{
    mStockMsg = stockMsg;
    qCDebug(lcZtAlerts) << "ZtStockMsgNotice::setData" << stockMsg.getValue(kCode).toString();
    mText->setText(formatValue(stockMsg.getValue(kTime), QStringLiteral("[tn:hh:mm]")) + QLatin1Char(' ')
                   + stockMsg.getValue(kText1).toString() + QLatin1Char(' ') + stockMsg.getValue(kText2).toString());
    const QString colour = colourFor(stockMsg.getValue(kDirection).toInt() == 1 ? QStringLiteral("Up")
                                                                                 : QStringLiteral("Down"));
    mText->setStyleSheet(QStringLiteral("color:") + colour + QStringLiteral(";"));
    update();
}

void ZtStockMsgNotice::mousePress()
{
    mClickTimer.stop();
    emit onOpenStockDialog(this, mStockMsg, enumStockSubType(8));
}

void ZtStockMsgNotice::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    mClickTimer.start();
}

void ZtStockMsgNotice::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    mClickTimer.stop();
    if (mStockMsg.isEmpty())
        return;
    emit onGotoStock(this, PubCache::mDataQueryAll.valueCopy(mStockMsg.getValue(kCode).toString(), QString(), QString()),
                     PubCache::mDataQueryAll, enumStockSubType(3));
}
