#include "terminalpages.h"

#include <controls/ztdiscolour.h>
#include <controls/ztuserlabel.h>
#include <format/regionallabe.h>
#include <framework/ztlayoutbase.h>
#include <quote/ztminfinance.h>

#include <ztlib/pbdatachange.h>
#include <ztlib/pubcachecustom.h>
#include <ztlib/ztfields.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QList<DQDField::Field> financeFields()
{
    using F = DQDField::Field;
    const QString bos = QStringLiteral("bos:%1").arg(ZtField::PrevClose);
    return {
        F(QStringLiteral("最新"), ZtField::Last, bos, QStringLiteral("d2")),
        F(QStringLiteral("涨跌"), ZtField::Change, QStringLiteral("case:0"), QStringLiteral("fd2")),
        F(QStringLiteral("涨幅"), ZtField::ChangeRatio, QStringLiteral("case:0"),
          QStringLiteral("{if#>=0;fd2[ls:%]}{if#<0;d2[ls:%]}")),
        F(QStringLiteral("开盘"), ZtField::Open, bos, QStringLiteral("d2")),
        F(QStringLiteral("最高"), ZtField::High, bos, QStringLiteral("d2")),
        F(QStringLiteral("最低"), ZtField::Low, bos, QStringLiteral("d2")),
        F(QStringLiteral("昨收"), ZtField::PrevClose, QStringLiteral("sys:default"), QStringLiteral("d2")),
        F(QStringLiteral("振幅"), ZtField::Amplitude, QStringLiteral("sys:default"), QStringLiteral("d2[ls:%]")),
        F(QStringLiteral("成交量"), ZtField::Volume, QStringLiteral("sys:vol"), QStringLiteral("100d2w[ls:手]")),
        F(QStringLiteral("成交额"), ZtField::Turnover, QStringLiteral("sys:vol"), QStringLiteral("d2w")),
        F(QStringLiteral("量比"), ZtField::VolumeRatio, QStringLiteral("case:1"), QStringLiteral("{if#=0;[ss:--]}d2")),
        F(QStringLiteral("上涨家数"), ZtField::RiseCount, QStringLiteral("sys:up"), QStringLiteral("d0")),
        F(QStringLiteral("下跌家数"), ZtField::FallCount, QStringLiteral("sys:down"), QStringLiteral("d0")),
        F(QStringLiteral("时间"), ZtField::QuoteTime, QStringLiteral("sys:default"), QStringLiteral("[tn:hh:mm:ss]")),
    };
}

// Names the field labels paint with that the built-in table does not carry.
void addDemoColours()
{
    const QList<QPair<QString, QString>> extra = {
        {QStringLiteral("MenuBackground2"), QStringLiteral("#16161C")},
        {QStringLiteral("WebFinish"), QStringLiteral("#2A2A34")},
    };
    for (const auto& e : extra) {
        if (!PubCacheCustom::mCustomColor.contains(e.first) && !PubCacheCustom::mDefultColor.contains(e.first))
            PubCacheCustom::mCustomColor.insert(e.first, {e.second});
    }
}

// The quote of the index picked on the left, refreshed every second: a minute
// finance panel beside field labels (plain and web mode) and compare labels.
class FormatPage : public ZtLayoutBase
{
public:
    FormatPage() : ZtLayoutBase(QStringLiteral("FormatPage"), nullptr)
    {
        addDemoColours();
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::black);
        pal.setColor(QPalette::WindowText, QColor(QStringLiteral("#C0C0C0")));
        setPalette(pal);

        auto* layout = new QHBoxLayout(this);
        mIndices = new QListWidget(this);
        mIndices->setObjectName(QStringLiteral("FormatIndexList"));
        mIndices->setFixedWidth(150);
        mIndices->setStyleSheet(QStringLiteral("QListWidget{background:#101014;color:#E6E6E6;border:0px;}"
                                               "QListWidget::item:selected{background:#1E3A6E;}"));
        for (const QString& code : {QStringLiteral("SH000001"), QStringLiteral("SZ399001"),
                                    QStringLiteral("SZ399006"), QStringLiteral("SZ399005")}) {
            auto* item = new QListWidgetItem(code, mIndices);
            item->setData(Qt::UserRole, code);
        }
        layout->addWidget(mIndices);

        mFinance = new ZtMinFinance(this, financeFields());
        mFinance->setFixedWidth(240);
        layout->addWidget(mFinance);

        auto* right = new QVBoxLayout;
        auto* grid = new QGridLayout;
        grid->setSpacing(4);
        const QList<DQDField::Field> fields = financeFields();
        for (int i = 0; i < 6; ++i) {
            auto* plain = new RegionalLabe(fields.at(i), false, this);
            auto* web = new RegionalLabe(fields.at(i), true, this);
            plain->setFixedSize(220, 26);
            web->setFixedSize(220, 26);
            grid->addWidget(plain, i, 0);
            grid->addWidget(web, i, 1);
            mRegional << plain << web;
        }
        right->addLayout(grid);

        mCompare = new ZtDisColour(QStringLiteral("最新价对昨收"), this);
        mCompare->setToolTip(QStringLiteral("点击切换说明文字"));
        mCompare->setIsRepaint(true);
        mCompare->setIsAddUpDown(true);
        mCompare->setIsExchange(true);
        mCompare->setCompare(ZtField::Last, ZtField::PrevClose);
        mCompare->setFixedHeight(30);
        right->addWidget(mCompare);

        auto* link = new ZtUserLabel(QStringLiteral("format-hint"), this);
        link->setText(QStringLiteral("数值格式与颜色规则：左侧选择指数，数值每秒刷新"));
        right->addWidget(link);
        right->addStretch();
        layout->addLayout(right, 1);

        connect(mIndices, &QListWidget::currentRowChanged, this, [this] { refresh(); });
        mIndices->setCurrentRow(0);
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] { refresh(); });
        timer->start(1000);
    }

private:
    void refresh()
    {
        const QListWidgetItem* item = mIndices->currentItem();
        if (!item)
            return;
        const Q_DD_Now quote = PBDataChange::LBDG_QNowSingle(item->data(Qt::UserRole).toString(), true);
        if (quote.isEmpty())
            return;
        const QString name = quote.getValue(ZtField::Name).toString();
        if (!name.isEmpty() && name != QLatin1String("-"))
            mIndices->currentItem()->setText(name + QLatin1Char(' ') + item->data(Qt::UserRole).toString());
        // The panel adopts the quote and hands it down the relay tree to the finance panel.
        doResetUpdStock(DQDUnionReader(quote));
        for (RegionalLabe* label : qAsConst(mRegional))
            label->resetStock(quote);
        mCompare->resetStock(quote);
    }

    QListWidget* mIndices;
    ZtMinFinance* mFinance;
    QList<RegionalLabe*> mRegional;
    ZtDisColour* mCompare;
};

const TerminalPage::Registration reg(QStringLiteral("format"), QStringLiteral("数值格式"), demoGroupName(), 70,
                                     [](QWidget*, TerminalShell&) { return new FormatPage(); },
                                     QStringLiteral("value formats and colour rules on an index quote"));

}
