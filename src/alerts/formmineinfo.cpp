#include "formmineinfo.h"

#include "web/pubwebview.h"

#include <pubcache/pubcache.h>
#include <ztlib/datatrans.h>
#include <ztlib/pbdatachange.h>

#include <QCloseEvent>
#include <QDesktopServices>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr unsigned int kId = 37020;
constexpr unsigned int kType = 37030;
constexpr unsigned int kTitle = 37040;
constexpr unsigned int kInfoTime = 37050;
constexpr unsigned int kDate = 37060;

QTableWidgetItem* cell(const QString& text, bool centred)
{
    auto* item = new QTableWidgetItem(text);
    if (centred)
        item->setTextAlignment(Qt::AlignCenter);
    return item;
}
}

FormMineInfo::FormMineInfo(QString stockCode, QString keyTemplate, QString type, QString newsId, ZtLayoutBase* parent)
    : ZtFormMainBase(parent), mStockCode(stockCode), mKeyTemplate(keyTemplate), mType(type), mNewsId(newsId)
{
    setObjectName(QStringLiteral("FormOtherStyle"));
    setFixedSize(1024, 700);
    setWindowTitle(QStringLiteral("信息地雷"));
    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    mTable = new QTableWidget(0, 6);
    mTable->setObjectName(QStringLiteral("tab_Widget"));
    mTable->setHorizontalHeaderLabels({QStringLiteral("序号"), QStringLiteral("公告日期"), QStringLiteral("信息时间"),
                                       QStringLiteral("标题"), QStringLiteral("id"), QStringLiteral("type")});
    mTable->setShowGrid(false);
    mTable->verticalHeader()->hide();
    mTable->setFocusPolicy(Qt::NoFocus);
    QHeaderView* header = mTable->horizontalHeader();
    const int widths[] = {50, 100, 130};
    for (int c = 0; c < 3; ++c) {
        header->setSectionResizeMode(c, QHeaderView::Fixed);
        mTable->setColumnWidth(c, widths[c]);
        if (QTableWidgetItem* h = mTable->horizontalHeaderItem(c))
            h->setTextAlignment(Qt::AlignCenter);
    }
    header->setSectionResizeMode(3, QHeaderView::Stretch);
    mTable->setColumnHidden(4, true);
    mTable->setColumnHidden(5, true);
    mTable->setFont(QFont(QStringLiteral("微软雅黑"), 12));
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mTable->setSelectionMode(QAbstractItemView::SingleSelection);
    mTable->setFixedHeight(188);
    layout->addWidget(mTable);
    mWebView = new PubWebView(this, true);
    layout->addWidget(mWebView, 1);
    setLayout(layout);

    loadPage();
    mDataTimer.setSingleShot(true);
    mDataTimer.setInterval(1000);
    connect(&mDataTimer, &QTimer::timeout, this, &FormMineInfo::doDataListTimeOut);
    connect(mTable, &QTableWidget::cellPressed, this, &FormMineInfo::doCellChanged);
    emit PubCache::SSignal.onSetUserClick(QStringLiteral("010110"));
    doDataListTimeOut();
}

QString FormMineInfo::pageUrl() const
{
    const QString key = QString(mKeyTemplate).replace(QStringLiteral("%1"), mType.toLower());
    if (!PubCache::mUrlList.contains(key))
        return QString();
    return QString(PubCache::mUrlList.value(key)).replace(QStringLiteral("%1"), mNewsId);
}

void FormMineInfo::loadPage()
{
    const QString url = pageUrl();
    if (!url.isEmpty())
        mWebView->load(url);
}

void FormMineInfo::doDataListTimeOut()
{
    const DQDDataList list = PBDataChange::LBGD_Xxdl_Btlb_PopWinList(mStockCode, 0);
    if (list.isEmpty()) {
        mDataTimer.start();
        return;
    }
    mTable->setRowCount(0);
    mTable->setRowCount(list.count());
    int selected = -1;
    for (int i = 0; i < list.count(); ++i) {
        const DQDUnionReader* row = list.at(i);
        const QString id = row->getValue(kId).toString();
        const QString type = row->getValue(kType).toString();
        mTable->setItem(i, 0, cell(QString::number(i + 1), true));
        mTable->setItem(i, 1, cell(DataTrans::getDateTimeFromULL(row->getValue(kDate).toULongLong())
                                       .toString(QStringLiteral("yyyy-MM-dd")), true));
        mTable->setItem(i, 2, cell(DataTrans::getDateTimeFromULL(row->getValue(kInfoTime).toULongLong())
                                       .toString(QStringLiteral("yyyy-MM-dd HH:mm")), true));
        mTable->setItem(i, 3, cell(row->getValue(kTitle).toString(), false));
        mTable->setItem(i, 4, cell(id, false));
        mTable->setItem(i, 5, cell(type, false));
        mTable->setRowHeight(i, 17);
        if (selected < 0 && id == mNewsId && type == mType)
            selected = i;
    }
    if (selected >= 0) {
        mTable->selectRow(selected);
        mTable->verticalScrollBar()->setValue(selected);
    }
}

void FormMineInfo::doCellChanged(int row, int)
{
    const QTableWidgetItem* id = mTable->item(row, 4);
    const QTableWidgetItem* type = mTable->item(row, 5);
    if (!id || !type)
        return;
    mNewsId = id->text();
    mType = type->text();
    loadPage();
}

void FormMineInfo::doGetOpenForm(QString mUrl, bool)
{
    QDesktopServices::openUrl(QUrl(mUrl));
}

void FormMineInfo::closeEvent(QCloseEvent* event)
{
    mDataTimer.stop();
    ZtFormMainBase::closeEvent(event);
}
