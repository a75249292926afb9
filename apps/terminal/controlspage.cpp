#include "terminalpages.h"

#include <controls/ztstockgroupbox.h>
#include <controls/zttoolbutton.h>
#include <framework/ztlayoutbase.h>
#include <grids/userrightmenu.h>
#include <ztlib/datatrans.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/pubcachecustom.h>
#include <ztlib/ztfields.h>

#include <QContextMenuEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const int IndexGroup = 0;
const int RefreshGroup = 1;
// Ids of this page's own sub-menus.
const int SwitchIndexMenu = 3600;
const int RefreshMenu = 3601;

struct IndexEntry
{
    QString code;
    QString text;
};

const IndexEntry indices[] = {
    {QStringLiteral("SH000001"), QStringLiteral("上证指数")},
    {QStringLiteral("SZ399001"), QStringLiteral("深证成指")},
    {QStringLiteral("SZ399006"), QStringLiteral("创业板指")},
    {QStringLiteral("SZ399005"), QStringLiteral("中小100")},
};

const int refreshSeconds[] = {1, 3, 5};

QColor colour(const QString& name)
{
    return QColor(PubCacheCustom::mDefultColor.value(name).value(0, QStringLiteral("#E6E6E6")));
}

// The quote of the followed index, painted large, with a right-click menu.
class IndexQuoteView : public QWidget
{
public:
    explicit IndexQuoteView(QWidget* parent) : QWidget(parent)
    {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::black);
        setPalette(pal);
        mMenu = new UserRightMenu(this);
    }

    UserRightMenu* menu() const { return mMenu; }

    void setQuote(const QString& title, const Q_DD_Now& quote)
    {
        mTitle = title;
        mQuote = quote;
        update();
    }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override { mMenu->exec(event->globalPos()); }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const double change = mQuote.getValue(ZtField::Change).toDouble();
        const QColor trend = change > 0 ? colour(QStringLiteral("Up"))
                             : change < 0 ? colour(QStringLiteral("Down"))
                                          : colour(QStringLiteral("Flat"));
        const auto price = [this](unsigned key) {
            const QVariant v = mQuote.getValue(key);
            bool ok = false;
            const double d = v.toDouble(&ok);
            return ok ? QString::number(d, 'f', 2) : QStringLiteral("-");
        };

        p.setFont(QFont(QStringLiteral("微软雅黑"), 16, 75));
        p.setPen(colour(QStringLiteral("Name")));
        p.drawText(QRect(40, 20, 400, 40), Qt::AlignVCenter | Qt::AlignLeft,
                   mTitle + QLatin1String("  ") + mQuote.getValue(ZtField::UniqueCode).toString());

        p.setPen(trend);
        p.setFont(QFont(QStringLiteral("微软雅黑"), 36, 75));
        p.drawText(QRect(40, 70, 400, 80), Qt::AlignVCenter | Qt::AlignLeft, price(ZtField::Last));
        p.setFont(QFont(QStringLiteral("微软雅黑"), 16, 75));
        p.drawText(QRect(40, 150, 400, 40), Qt::AlignVCenter | Qt::AlignLeft,
                   price(ZtField::Change) + QLatin1String("   ") + price(ZtField::ChangeRatio) + QLatin1Char('%'));

        p.setFont(QFont(QStringLiteral("微软雅黑"), 12));
        const QDateTime time = DataTrans::getDateTimeFromULL(mQuote.getValue(ZtField::QuoteTime).toULongLong());
        const QStringList labels = {QStringLiteral("今开"), QStringLiteral("最高"), QStringLiteral("最低"),
                                    QStringLiteral("昨收"), QStringLiteral("时间")};
        const QStringList values = {price(ZtField::Open), price(ZtField::High), price(ZtField::Low),
                                    price(ZtField::PrevClose),
                                    time.isValid() ? time.toString(QStringLiteral("HH:mm:ss")) : QStringLiteral("-")};
        for (int i = 0; i < labels.size(); ++i) {
            const QRect row(480, 30 + i * 36, 240, 32);
            p.setPen(colour(QStringLiteral("Title")));
            p.drawText(row, Qt::AlignVCenter | Qt::AlignLeft, labels.at(i));
            p.setPen(colour(QStringLiteral("Default")));
            p.drawText(row, Qt::AlignVCenter | Qt::AlignRight, values.at(i));
        }
        p.setPen(colour(QStringLiteral("Title")));
        p.drawText(QRect(40, height() - 40, width() - 80, 30), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("右键菜单：打开、F10、切换指数、刷新频率"));
    }

private:
    UserRightMenu* mMenu = nullptr;
    QString mTitle;
    Q_DD_Now mQuote;
};

// A row of switch buttons chooses the index the page follows; a drop-down sets
// the refresh period; a right-click menu built from records offers the same
// choices and two requests.
class ControlsPage : public ZtLayoutBase
{
public:
    ControlsPage() : ZtLayoutBase(QStringLiteral("ControlsPage"), nullptr)
    {
        setKeyFocus(false);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);

        mBox = new ZtStockGroupBox(this);
        mBox->setObjectName(QStringLiteral("ControlsIndexBox"));
        mBox->setFixedHeight(48);
        mBox->setTitle(QStringLiteral("  跟随指数  "));
        layout->addWidget(mBox);

        mView = new IndexQuoteView(this);
        layout->addWidget(mView, 1);

        mStatus = new QLabel(this);
        mStatus->setFont(QFont(QStringLiteral("微软雅黑"), 10));
        mStatus->setContentsMargins(8, 4, 8, 4);
        layout->addWidget(mStatus);

        mTimer = new QTimer(this);
        QObject::connect(mTimer, &QTimer::timeout, this, [this] { refresh(); });

        QObject::connect(mBox, &ZtStockGroupBox::onSyncClicked, this,
                         [this](const PushDataMenu& record) { doChoose(record); });
        QObject::connect(mBox, &ZtStockGroupBox::onCliclButtonMenu, this,
                         [this](ZtPushButton*, UserMenuAction* action) {
                             if (action)
                                 setRefresh(action->data().toInt());
                         });
        buildRow();
        buildMenu();
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        ZtLayoutBase::showEvent(event);
        refresh();
        mTimer->start();
    }

    void hideEvent(QHideEvent* event) override
    {
        mTimer->stop();
        ZtLayoutBase::hideEvent(event);
    }

private:
    void buildRow()
    {
        // The first index reports itself while it is appended, and a report counts moves.
        mAlert = new ZtToolButton(mBox);
        mAlert->setText(QStringLiteral("变动"));
        mAlert->setIcon(QStringLiteral(":/images/MainFrom/btn_dxjl.png"));
        mAlert->setToolTip(QStringLiteral("最新价变动次数，点击清零"));
        mAlert->setFixedWidth(56);

        QList<PushDataMenu> buttons;
        for (const IndexEntry& index : indices) {
            buttons << PushDataMenu(index.text, index.code, IndexGroup, true, index.code == mCode,
                                    {index.code, index.text});
        }
        mBox->appendGroup(buttons);

        QList<RightMenu> periods;
        for (int seconds : refreshSeconds)
            periods << RightMenu(QStringLiteral("%1秒").arg(seconds), seconds, true, false, QString());
        mBox->appendButton(PushDataMenu(QStringLiteral("刷新频率"), 0, RefreshGroup, false, false,
                                        {QStringLiteral("refresh")}, QString(), periods));

        mBox->appendWidget(mAlert);
        QObject::connect(mAlert, &ZtToolButton::onSyncClicked, this, [this] {
            mMoves = 0;
            mAlert->setPromptNumber(QString());
        });
        mBox->appendStretch(12);

        mBox->setCheckedMenu(mBox->getButtons().indexOf(mBox->getButton(QStringLiteral("refresh"))), true);
    }

    void buildMenu()
    {
        QList<RightMenu> switchItems;
        for (const IndexEntry& index : indices)
            switchItems << RightMenu(index.text, index.code, true, false, QString());
        QList<RightMenu> refreshItems;
        for (int seconds : refreshSeconds)
            refreshItems << RightMenu(QStringLiteral("%1秒").arg(seconds), seconds, true, false, QString());

        UserRightMenu* menu = mView->menu();
        menu->appendRightMenu({RightMenu(QStringLiteral("打开"), 2000),
                               RightMenu(QStringLiteral("F10基本资料"), 2002), RightMenu(true),
                               RightMenu(QStringLiteral("切换指数"), SwitchIndexMenu, switchItems, 120),
                               RightMenu(QStringLiteral("刷新频率"), RefreshMenu, refreshItems)});
        QObject::connect(menu, &UserRightMenu::onAboutToShowMenu, this,
                         [this](const QList<UserMenuAction*>& list) { markMenu(list); });
        QObject::connect(menu, &UserRightMenu::onCliclParentMenu, this, [this](UserMenuAction* action) {
            const QString what = action->data().toInt() == 2000 ? QStringLiteral("打开") : QStringLiteral("F10基本资料");
            mStatus->setText(QStringLiteral("请求%1：%2 %3").arg(what, titleOf(mCode), mCode));
        });
        QObject::connect(menu, &UserRightMenu::onCliclChileMenu, this,
                         [this](UserMenuAction* action, enumRightMenuType parent) {
                             if (parent == SwitchIndexMenu)
                                 mBox->click(action->data().toString(), IndexGroup);
                             else if (parent == RefreshMenu)
                                 chooseRefresh(action->data().toInt());
                         });
    }

    // Check marks follow the page's state each time the menu opens.
    void markMenu(const QList<UserMenuAction*>& list)
    {
        for (UserMenuAction* entry : list) {
            if (!entry->menu())
                continue;
            for (QAction* item : entry->menu()->actions()) {
                if (entry->data().toInt() == SwitchIndexMenu)
                    item->setChecked(item->data().toString() == mCode);
                else if (entry->data().toInt() == RefreshMenu)
                    item->setChecked(item->data().toInt() * 1000 == mTimer->interval());
            }
        }
    }

    // Through the drop-down, so the button and the menu agree.
    void chooseRefresh(int seconds)
    {
        ZtPushButton* button = mBox->getButton(QStringLiteral("refresh"));
        const QList<UserMenuAction*> items = button->getMenu()->actions();
        for (int i = 0; i < items.size(); ++i) {
            if (items.at(i)->data().toInt() == seconds)
                button->setCheckedMenu(i);
        }
    }

    void setRefresh(int seconds)
    {
        if (seconds < 1)
            return;
        mTimer->setInterval(seconds * 1000);
        ZtPushButton* button = mBox->getButton(QStringLiteral("refresh"));
        button->QPushButton::setText(QStringLiteral("刷新 %1秒").arg(seconds));
    }

    void doChoose(const PushDataMenu& record)
    {
        if (record.getGroup().toInt() != IndexGroup)
            return;
        mCode = record.getData().toString();
        mLast = QVariant();
        mStatus->setText(QStringLiteral("跟随 %1 %2").arg(record.getText(), mCode));
        refresh();
    }

    static QString titleOf(const QString& code)
    {
        for (const IndexEntry& index : indices) {
            if (index.code == code)
                return index.text;
        }
        return code;
    }

    void refresh()
    {
        const Q_DD_Now quote = PBDataChange::LBDG_QNowSingle(mCode, true);
        const QVariant last = quote.getValue(ZtField::Last);
        if (mLast.isValid() && last != mLast) {
            ++mMoves;
            mAlert->setPromptNumber(QString::number(mMoves));
        }
        mLast = last;
        mView->setQuote(titleOf(mCode), quote);
    }

    ZtStockGroupBox* mBox = nullptr;
    IndexQuoteView* mView = nullptr;
    ZtToolButton* mAlert = nullptr;
    QLabel* mStatus = nullptr;
    QTimer* mTimer = nullptr;
    QString mCode = indices[0].code;
    QVariant mLast;
    int mMoves = 0;
};

const TerminalPage::Registration reg(QStringLiteral("controls"), QStringLiteral("按钮与菜单"), demoGroupName(), 50,
                                     [](QWidget*, TerminalShell&) { return new ControlsPage(); },
                                     QStringLiteral("switch buttons, a drop-down and a right-click menu following an index"));

}
