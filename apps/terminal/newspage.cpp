#include "terminalpages.h"

#include <framework/ztlayoutbase.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <web/pubcacheweb.h>
#include <web/pubwebview.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

// The news page: the simulated service page shows live quotes through the bridge and
// the news feed; the buttons drive the account and cloud-watchlist calls. WebEngine
// starts only when the page is first shown.
class NewsPage : public ZtLayoutBase
{
public:
    explicit NewsPage(QWidget* parent) : ZtLayoutBase(QStringLiteral("NewsPage"), nullptr)
    {
        setParent(parent);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        auto* bar = new QHBoxLayout;
        bar->setContentsMargins(6, 4, 6, 0);
        layout->addLayout(bar);
        mAccount = new QLabel(QStringLiteral("未登录"), this);
        mStatus = new QLabel(this);
        auto button = [&](const QString& text, std::function<void(PubWebView*)> run) {
            auto* b = new QPushButton(text, this);
            connect(b, &QPushButton::clicked, this, [this, run] {
                if (mWeb)
                    run(mWeb);
            });
            bar->addWidget(b);
        };
        button(QStringLiteral("游客登录"), [](PubWebView* w) { w->getTouristLogin(); });
        button(QStringLiteral("演示账号登录"),
               [](PubWebView* w) { w->getLogin(QStringLiteral("13800000000"), QStringLiteral("demo123")); });
        button(QStringLiteral("退出登录"), [this](PubWebView* w) {
            w->getLoginOut();
            PubCache::m_Logininfo = LoginInfo();
            mAccount->setText(QStringLiteral("未登录"));
        });
        button(QStringLiteral("上传自选"), [](PubWebView* w) { w->getSaveStock(PubStaticFunc::getZxgCodeList()); });
        button(QStringLiteral("清空本地自选"), [this](PubWebView*) {
            PubStaticFunc::ZxgSave(QList<StockZxgBK>());
            emit PubCache::SSignal.onZxgRefresh(QString(), ZxgOperate_Add);
            mStatus->setText(QStringLiteral("本地自选已清空"));
        });
        button(QStringLiteral("下载自选"), [](PubWebView* w) { w->getStockList(); });
        button(QStringLiteral("全屏"), [](PubWebView* w) { w->doFullScreen(); });
        bar->addWidget(mAccount);
        bar->addStretch();
        bar->addWidget(mStatus);
    }

    PubWebView* web() const { return mWeb; }

    void doGetAddStock(QString stockCode, QWidget*) override
    {
        emit PubCache::SSignal.onZxgAdd(stockCode, ZxgOperate_Add);
        mStatus->setText(QStringLiteral("已加入自选：") + stockCode);
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        if (!mWeb)
            createWeb();
        ZtLayoutBase::showEvent(event);
    }

private:
    void createWeb()
    {
        mWeb = new PubWebView(this);
        static_cast<QVBoxLayout*>(layout())->addWidget(mWeb, 1);
        if (!PubCacheWeb::mCacheView)
            PubCacheWeb::mCacheView = mWeb;
        connect(mWeb, &QObject::destroyed, this, [this] {
            if (PubCacheWeb::mCacheView == mWeb)
                PubCacheWeb::mCacheView = nullptr;
        });
        connect(mWeb, &PubWebView::onLoginBack, this, [this](QString msg, bool ok, LoginInfo login) {
            if (!ok) {
                mStatus->setText(msg);
                return;
            }
            PubCache::m_Logininfo = login;
            mAccount->setText(login.isTourist()
                                  ? QStringLiteral("游客：%1").arg(login.getUserName())
                                  : QStringLiteral("%1（%2，角色 %3，到期 %4）")
                                        .arg(login.getNickName(), login.getRoleName())
                                        .arg(login.getRoleId())
                                        .arg(login.getRoleEndDate()));
        });
        connect(mWeb, &PubWebView::onServiceZxgResult, mStatus, [this](bool, QString, QString msg) {
            mStatus->setText(msg);
        });
        mWeb->load(QStringLiteral("qrc:/web/service.html"));
    }

    PubWebView* mWeb = nullptr;
    QLabel* mAccount;
    QLabel* mStatus;
};

const TerminalPage::Registration reg(QStringLiteral("news"), QStringLiteral("资讯"), QStringLiteral("PageNews"), 0,
                                     [](QWidget* parent, TerminalShell&) { return new NewsPage(parent); });

}
