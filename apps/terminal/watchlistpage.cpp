#include "terminalhost.h"
#include "terminalpages.h"

#include <alerts/messageex.h>
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
// asks for adding or removing a code over the bus, the way the grids do, and the
// groups themselves made and deleted; deleting asks first.
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

        auto* groups = new QHBoxLayout;
        mGroupName = new QLineEdit(this);
        mGroupName->setObjectName(QStringLiteral("WatchlistGroupName"));
        mGroupName->setPlaceholderText(QStringLiteral("分组名称"));
        mGroupName->setMaximumWidth(260);
        auto* addGroup = new QPushButton(QStringLiteral("新建分组"), this);
        addGroup->setObjectName(QStringLiteral("WatchlistGroupAdd"));
        mDeleteGroup = new QPushButton(QStringLiteral("删除分组"), this);
        mDeleteGroup->setObjectName(QStringLiteral("WatchlistGroupDelete"));
        mDeleteGroup->setEnabled(false);
        groups->addWidget(new QLabel(QStringLiteral("分组："), this));
        groups->addWidget(mGroupName);
        groups->addWidget(addGroup);
        groups->addWidget(mDeleteGroup);
        groups->addStretch();
        layout->addLayout(groups);

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
        connect(mTree, &QTreeWidget::currentItemChanged, this, [this] {
            const QString group = selectedGroup();
            // The default group is where new codes go; it always stays.
            mDeleteGroup->setEnabled(!group.isEmpty() && group != PubStaticFunc::defaultZxgGroup());
        });
        connect(addGroup, &QPushButton::clicked, this, [this] { addGroupNamed(mGroupName->text().trimmed()); });
        connect(mGroupName, &QLineEdit::returnPressed, this, [this] { addGroupNamed(mGroupName->text().trimmed()); });
        connect(mDeleteGroup, &QPushButton::clicked, this, [this] { deleteSelectedGroup(); });
        connect(&PubCache::SSignal, &PubStaticSignal::onZxgRefresh, this, [this] { refresh(); });
        connect(&PubCache::SSignal, &PubStaticSignal::onZxgGroupUpdate, this, [this] { refresh(); });
        refresh();
    }

    // The group of the selected line (a group or one of its codes), empty when none.
    QString selectedGroup() const
    {
        QTreeWidgetItem* item = mTree->currentItem();
        if (item && item->parent())
            item = item->parent();
        return item ? item->data(0, Qt::UserRole).toString() : QString();
    }

    void deleteSelectedGroup()
    {
        const QString group = selectedGroup();
        if (group.isEmpty() || group == PubStaticFunc::defaultZxgGroup())
            return;
        const int count = PubStaticFunc::ZxgGet(group).first.size();
        const QString question = count > 0
                                     ? QStringLiteral("删除分组“%1”及其中的%2只股票？").arg(group).arg(count)
                                     : QStringLiteral("删除分组“%1”？").arg(group);
        if (!MessageEx::ShowBoxQuesion(question, QStringLiteral("操作提示"), this))
            return;
        if (!PubStaticFunc::ZxgDeleteGroup(group))
            mStatus->setText(QStringLiteral("分组“%1”未能删除").arg(group));
    }

private:
    void addGroupNamed(const QString& name)
    {
        if (name.isEmpty())
            return;
        if (!PubStaticFunc::ZxgAddGroup(name)) {
            mStatus->setText(QStringLiteral("分组“%1”已存在或未能保存").arg(name));
            return;
        }
        mGroupName->clear();
    }

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
            top->setData(0, Qt::UserRole, group.getName());
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
    QLineEdit* mGroupName = nullptr;
    QPushButton* mDeleteGroup = nullptr;
    QTreeWidget* mTree = nullptr;
    QLabel* mStatus = nullptr;
};

const TerminalPage::Registration reg(QStringLiteral("watchlist-groups"), QStringLiteral("分组管理"),
                                     QStringLiteral("PageZxg"), 10,
                                     [](QWidget* parent, TerminalShell&) { return new WatchlistPage(parent); },
                                     QStringLiteral("the watchlist groups and codes as stored; add or remove a code"));

}
