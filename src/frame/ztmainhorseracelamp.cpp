#include "frame/ztmainhorseracelamp.h"

#include "controls/ztuserlabel.h"
#include "controls/zttoollabel.h"
#include "web/pubcacheweb.h"
#include "web/pubwebview.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>

#include <QDateTime>
#include <QLoggingCategory>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>

namespace {

Q_LOGGING_CATEGORY(lcZtLamp, "zt.frame", QtInfoMsg)

const int kStepMs = 30;
const int kLinePadding = 20;

QSize lineSize(const QLabel* label, const QString& text)
{
    const QFontMetrics fm(label->font());
    return QSize(fm.horizontalAdvance(text) + kLinePadding, fm.height());
}

}

ZtMainHorseRaceLamp::ZtMainHorseRaceLamp(ZtLayoutBase* parent) : ZtLayoutBase(parent)
{
    setObjectName(QStringLiteral("ZtMainHorseRaceLamp"));
    // Part of the footer: showing it must not take the keyboard from the page.
    setKeyFocus(false);
    mCaption = new ZtToolLabel(true, this);
    mCaption->setText(QStringLiteral("24小时直播："));
    mCaption->setIcon(QStringLiteral(":/images/MainFrom/img_7x24.png"));
    mCaption->setFixedWidth(100);
    mStrip = new QWidget(this);
    mStrip->setObjectName(QStringLiteral("HorseRaceLampStrip"));
    mStrip->installEventFilter(this);
    mStrip->setAutoFillBackground(true);
    auto* box = new QHBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(mCaption);
    box->addWidget(mStrip, 1);

    mTimer.setInterval(kStepMs);
    connect(&mTimer, &QTimer::timeout, this, &ZtMainHorseRaceLamp::doRaceTimeOut);
    if (PubCacheWeb::mCacheView)
        connect(PubCacheWeb::mCacheView, &PubWebView::onHorseRaceLamp, this, &ZtMainHorseRaceLamp::doHorseRaceLamp);
}

QString ZtMainHorseRaceLamp::lineText(const QVariantMap& item, const QString& timeKey)
{
    return QStringLiteral("%1 %2").arg(item.value(timeKey).toDateTime().toString(QStringLiteral("HH:mm")),
                                       item.value(QStringLiteral("title")).toString());
}

void ZtMainHorseRaceLamp::doStop()
{
    mTimer.stop();
}

void ZtMainHorseRaceLamp::doStart()
{
    mTimer.start();
}

void ZtMainHorseRaceLamp::doHorseRaceLamp(QJsonObject JsonObj)
{
    const QVariantMap map = JsonObj.toVariantMap();
    const QVariantList list = map.value(QStringLiteral("data")).toList();
    qCDebug(lcZtLamp) << "ZtMainHorseRaceLamp::doHorseRaceLamp status" << map.value(QStringLiteral("status")).toBool()
             << "items" << list.size();
    if (!map.value(QStringLiteral("status")).toBool() || list.isEmpty())
        return;
    PubStaticFunc::ClearChild(mStrip);
    mLines.clear();
    int x = 0;
    for (const QVariant& v : list) {
        const QVariantMap item = v.toMap();
        const QString text = lineText(item, QStringLiteral("updatedAt"));
        auto* line = new ZtUserLabel(item.value(QStringLiteral("objectId")).toString(), mStrip);
        const QSize size = lineSize(line, text);
        line->setCursor(Qt::PointingHandCursor);
        line->move(x, (mStrip->height() - size.height()) / 2);
        line->setOrderIndex(mLines.size());
        line->resize(size);
        line->setText(text);
        line->show();
        mLines.append(line);
        connect(line, &ZtUserLabel::onStop, this, &ZtMainHorseRaceLamp::doStop);
        connect(line, &ZtUserLabel::onStart, this, &ZtMainHorseRaceLamp::doStart);
        connect(line, &ZtUserLabel::onClick, this, &ZtMainHorseRaceLamp::doClick);
        x += size.width();
    }
    mTimer.start();
}

void ZtMainHorseRaceLamp::doRaceTimeOut()
{
    if (mLines.isEmpty() || !mStrip->isVisible())
        return;
    if (mLines.first()->x() + mLines.first()->width() <= 0) {
        ZtUserLabel* first = mLines.takeFirst();
        const ZtUserLabel* last = mLines.isEmpty() ? first : mLines.last();
        first->move(qMax(last->x() + lineSize(last, last->text()).width(), mStrip->width()), first->y());
        mLines.append(first);
    }
    ZtUserLabel* last = mLines.last();
    if (!mPending.isEmpty() && last->getOrderIndex() == mLines.size() - 1) {
        const QVariantMap item = mPending.takeFirst().toMap();
        for (ZtUserLabel* line : qAsConst(mLines))
            line->setOrderIndex(line->getOrderIndex() + 1);
        moveAll(-1);
        const QString text = lineText(item, QStringLiteral("date"));
        last->setObjId(item.value(QStringLiteral("objectId")).toString());
        last->setText(text);
        last->resize(lineSize(last, text));
        last->setOrderIndex(0);
        return;
    }
    moveAll(-1);
}

void ZtMainHorseRaceLamp::moveAll(int dx)
{
    // One scroll of the opaque strip moves every line and blits what was painted, so a
    // step repaints only the uncovered column instead of every line and the window
    // behind them.
    mStrip->scroll(dx, 0);
}

void ZtMainHorseRaceLamp::appendNews(QMap<QString, QVariant> item)
{
    const QVariantMap data = item.value(QStringLiteral("data")).toMap();
    QVariantMap attributes = data.value(QStringLiteral("attributes")).toMap();
    attributes.insert(QStringLiteral("date"), data.value(QStringLiteral("date")));
    mPending.append(attributes);
}

void ZtMainHorseRaceLamp::doClick(QString ObjectId)
{
    const auto url = PubCache::mUrlList.constFind(QStringLiteral("frm_public_7x24"));
    qCDebug(lcZtLamp) << "ZtMainHorseRaceLamp::doClick" << ObjectId << (url != PubCache::mUrlList.constEnd());
    if (url == PubCache::mUrlList.constEnd())
        return;
    emit onGetOpenForm(url.value().arg(ObjectId), true);
}

bool ZtMainHorseRaceLamp::eventFilter(QObject* watched, QEvent* event)
{
    // Lines made before the strip had its height are centred once it has one.
    if (watched == mStrip && event->type() == QEvent::Resize) {
        for (ZtUserLabel* line : qAsConst(mLines))
            line->move(line->x(), (mStrip->height() - line->height()) / 2);
    }
    return ZtLayoutBase::eventFilter(watched, event);
}
