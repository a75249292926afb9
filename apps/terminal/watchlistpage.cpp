#include "terminalhost.h"
#include "terminalpages.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>

#include <ztlib/datatrans.h>
#include <ztlib/ztfields.h>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The watchlist groups and their codes as the database holds them, with an input that
// asks for adding or removing a code over the bus, the way the grids do.
class WatchlistPage : public QWidget
{
public:
    explicit WatchlistPage(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("WatchlistPage"));
        auto* layout = new QVBoxLayout(this);
        auto* bar = new QHBoxLayout;
        mInput = new QLineEdit(this);
        mInput->setObjectName(QStringLiteral("WatchlistInput"));
        mInput->setPlaceholderText(QStringLiteral("代码，如 600000 或 SZ000001"));
        mInput->setMaximumWidth(260);
        auto* add = new QPushButton(QStringLiteral("加入自选股"), this);
        add->setObjectName(QStringLiteral("WatchlistAdd"));
        auto* remove = new QPushButton(QStringLiteral("删除自选股"), this);
        remove->setObjectName(QStringLiteral("WatchlistDelete"));
        bar->addWidget(new QLabel(QStringLiteral("股票："), this));
        bar->addWidget(mInput);
        bar->addWidget(add);
        bar->addWidget(remove);
        bar->addStretch();
        layout->addLayout(bar);

        mTree = new QTreeWidget(this);
        mTree->setObjectName(QStringLiteral("WatchlistTree"));
        mTree->setColumnCount(4);
        mTree->setHeaderLabels({QStringLiteral("代码"), QStringLiteral("名称"), QStringLiteral("加入时间"),
                                QStringLiteral("备注")});
        mTree->header()->resizeSection(0, 180);
        mTree->header()->resizeSection(1, 140);
        mTree->header()->resizeSection(2, 160);
        layout->addWidget(mTree, 1);

        mStatus = new QLabel(this);
        mStatus->setObjectName(QStringLiteral("WatchlistStatus"));
        mStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(mStatus);

        connect(add, &QPushButton::clicked, this, [this] { request(true); });
        connect(mInput, &QLineEdit::returnPressed, this, [this] { request(true); });
        connect(remove, &QPushButton::clicked, this, [this] { request(false); });
        connect(mTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
            if (item->parent())
                mInput->setText(item->text(0));
        });
        connect(&PubCache::SSignal, &PubStaticSignal::onZxgRefresh, this, [this] { refresh(); });
        connect(&PubCache::SSignal, &PubStaticSignal::onZxgGroupUpdate, this, [this] { refresh(); });
        refresh();
    }

private:
    void request(bool add)
    {
        const QString code = mInput->text().trimmed();
        if (code.isEmpty())
            return;
        if (TerminalHost::resolveCode(code).isEmpty()) {
            mStatus->setText(QStringLiteral("没有这只股票：%1").arg(code));
            return;
        }
        if (add)
            emit PubCache::SSignal.onZxgAdd(code, ZxgOperate_Add);
        else
            emit PubCache::SSignal.onZxgDel(code);
        mInput->selectAll();
    }

    void refresh()
    {
        mTree->clear();
        for (const StockZxgBK& group : PubStaticFunc::getZxgCodeList()) {
            auto* top = new QTreeWidgetItem(mTree, {QStringLiteral("%1（%2）").arg(group.getName()).arg(group.count())});
            for (const StockZxg& e : group.getList()) {
                const DQDUnionReader* row = PubCache::mDataQueryAll.value(e.getCode());
                const QString name = row ? row->getValue(ZtField::Name).toString() : QString();
                const QDateTime added = DataTrans::getDateTimeFromULL(e.getAddTime());
                new QTreeWidgetItem(top, {e.getCode(), name,
                                          added.isValid() ? added.toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QString(),
                                          e.getNote()});
            }
            top->setExpanded(true);
        }
        mStatus->setText(QStringLiteral("用户数据：%1%2")
                             .arg(PubStaticFunc::databasePath(),
                                  PubStaticFunc::isDatabasePersistent() ? QString() : QStringLiteral("（本次不保存）")));
    }

    QLineEdit* mInput = nullptr;
    QTreeWidget* mTree = nullptr;
    QLabel* mStatus = nullptr;
};

const TerminalPage::Registration reg(QStringLiteral("watchlist-groups"), QStringLiteral("分组管理"),
                                     QStringLiteral("PageZxg"), 10,
                                     [](QWidget* parent, TerminalShell&) { return new WatchlistPage(parent); },
                                     QStringLiteral("the watchlist groups and codes as stored; add or remove a code"));

}
