#include "terminalpages.h"

#include <fairy/ztkeyboardfairy.h>
#include <frame/ztformmainbase.h>
#include <framework/stockqnow.h>
#include <framework/ztlayoutbase.h>
#include <pubcache/pubcache.h>
#include <ztlib/datatrans.h>
#include <ztlib/pubcachecustom.h>
#include <ztlib/ztfields.h>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// Offers every key typed in the terminal window to the main fairy, as a host does:
// a digit or a letter opens it. Keys for text inputs and shortcuts stay where they are.
class KeyOffer : public QObject
{
public:
    KeyOffer(QWidget* window, ZtKeyboardFairy* fairy) : QObject(fairy), mWindow(window), mFairy(fairy)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !mFairy || !mWindow || !mFairy->isEnabled())
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != mWindow || takesText(widget))
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        return mFairy->doKeyBoardFocusIn(key);
    }

private:
    static bool takesText(QWidget* w)
    {
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            return !edit->isReadOnly();
        if (auto* combo = qobject_cast<QComboBox*>(w))
            return combo->isEditable();
        return qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w);
    }

    QPointer<QWidget> mWindow;
    QPointer<ZtKeyboardFairy> mFairy;
};

// Shows the stock that the keyboard fairy opens, the way a chart page would until the
// grids and charts exist; a second fairy demonstrates the form variant.
class FairyPage : public ZtLayoutBase
{
public:
    FairyPage() : ZtLayoutBase(QStringLiteral("FairyPage"), nullptr)
    {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::black);
        pal.setColor(QPalette::WindowText, QColor(QStringLiteral("#E6E6E6")));
        setPalette(pal);
        setKeyFocus(false);

        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(24, 16, 24, 16);
        auto* hint = new QLabel(QStringLiteral("在窗口中直接键入代码、名称或拼音首字母即可打开键盘精灵（右上角），"
                                               "回车或单击选中，选中的股票在此页显示行情。"),
                                this);
        hint->setWordWrap(true);
        layout->addWidget(hint);

        auto* options = new QHBoxLayout;
        mSimple = new QCheckBox(QStringLiteral("只报告焦点股票（不打开）"), this);
        mNoSectors = new QCheckBox(QStringLiteral("不查板块"), this);
        options->addWidget(mSimple);
        options->addWidget(mNoSectors);
        options->addSpacing(40);
        options->addWidget(new QLabel(QStringLiteral("预警股票："), this));
        mFormFairy = new ZtKeyboardFairy(this, false, false);
        mFormFairy->setFixedSize(200, 22);
        mFormFairy->setIsSimple(true);
        options->addWidget(mFormFairy);
        options->addStretch();
        layout->addLayout(options);

        mTitle = new QLabel(this);
        mTitle->setFont(QFont(QStringLiteral("微软雅黑"), 16, 75));
        layout->addWidget(mTitle);
        auto* grid = new QGridLayout;
        const QStringList captions = {QStringLiteral("最新"), QStringLiteral("涨跌"), QStringLiteral("涨幅"),
                                      QStringLiteral("今开"), QStringLiteral("最高"), QStringLiteral("最低"),
                                      QStringLiteral("昨收"), QStringLiteral("成交量"), QStringLiteral("时间")};
        for (int i = 0; i < captions.size(); ++i) {
            auto* caption = new QLabel(captions.at(i), this);
            caption->setFont(QFont(QStringLiteral("微软雅黑"), 12));
            auto* value = new QLabel(QStringLiteral("-"), this);
            value->setFont(QFont(QStringLiteral("微软雅黑"), 14));
            value->setMinimumWidth(140);
            grid->addWidget(caption, i / 3, (i % 3) * 2);
            grid->addWidget(value, i / 3, (i % 3) * 2 + 1);
            mValues.append(value);
        }
        layout->addLayout(grid);
        mLog = new QLabel(this);
        mLog->setFont(QFont(QStringLiteral("微软雅黑"), 10));
        mLog->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(mLog);
        layout->addStretch();

        connect(&mQuote, &StockQNow::onDataUpdate, this, [this] { showQuote(); });
        connect(mFormFairy, &ZtKeyboardFairy::onFocusStock, this, [this](DQDUnionReader row) {
            log(QStringLiteral("预警股票：%1").arg(row.getUniqueValue(0)));
        });
        showQuote();
    }

    // The main fairy sits in the window's title bar.
    void attach(TerminalShell& shell)
    {
        mShell = &shell;
        mFairy = new ZtKeyboardFairy(shell.mainWindow(), true, true);
        mFairy->setFixedSize(220, 24);
        shell.addTitleWidget(mFairy);
        new KeyOffer(shell.mainWindow(), mFairy);

        connect(mSimple, &QCheckBox::toggled, mFairy, &ZtKeyboardFairy::setIsSimple);
        connect(mNoSectors, &QCheckBox::toggled, this, [this](bool on) {
            mFairy->setFiltrationTxt(on ? QStringList{QStringLiteral("板块")} : QStringList{});
        });
        // Opening a stock goes up the panel tree like a grid's double-click.
        connect(mFairy, &ZtKeyboardFairy::onGotoStock, this, &ZtLayoutBase::doGotoStock);
        connect(mFairy, &ZtKeyboardFairy::onFocusStock, this, [this](DQDUnionReader row) { doFocusStock(nullptr, row); });
        connect(mFairy, &ZtKeyboardFairy::onFocusXmlData, this, [this](ZtXMLMenu menu) {
            log(QStringLiteral("功能：%1（%2）").arg(menu.getText(), menu.getTabName()));
            mShell->openMenuEntry(menu);
        });
    }

    // The top of this tree. The stock opens where a double-click in the market grid
    // opens it; without that page, here.
    void doGotoStock(ZtLayoutBase* obj, DQDUnionReader focusQDDNow, DQDDataList nowquery,
                     enumStockSubType type = StockSubType_Chart) override
    {
        log(QStringLiteral("打开 %1，翻页列表 %2 只，子类型 %3")
                .arg(focusQDDNow.getUniqueValue(0))
                .arg(nowquery.count())
                .arg(int(type)));
        showStock(focusQDDNow);
        if (!mShell)
            return;
        // The market board on screen keeps it; otherwise the first board takes it.
        auto* target = qobject_cast<ZtLayoutBase*>(mShell->currentPage());
        if (!target || target->objectName() != QLatin1String("MarketPage")) {
            target = qobject_cast<ZtLayoutBase*>(mShell->page(QStringLiteral("market")));
            mShell->showPage(QStringLiteral("market"));
        }
        if (target)
            target->doGotoStock(obj, focusQDDNow, nowquery, type);
    }

    void doFocusStock(ZtLayoutBase* obj, DQDUnionReader rowReader) override
    {
        log(QStringLiteral("焦点股票 %1").arg(rowReader.getUniqueValue(0)));
        showStock(rowReader);
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        if (!mCode.isEmpty())
            mQuote.run();
        ZtLayoutBase::showEvent(event);
    }

    void hideEvent(QHideEvent* event) override
    {
        mQuote.stop();
        ZtLayoutBase::hideEvent(event);
    }

private:
    void showStock(const DQDUnionReader& row)
    {
        if (row.isEmpty())
            return;
        mCode = row.getUniqueValue(0);
        mName = row.getValue(ZtField::Name).toString();
        mQuote.InitQNow(mCode);
        if (isVisible())
            mQuote.run();
        showQuote();
    }

    void log(const QString& line) { mLog->setText(line); }

    static QColor colour(const QString& name)
    {
        return QColor(PubCacheCustom::mDefultColor.value(name).value(0, QStringLiteral("#E6E6E6")));
    }

    void showQuote()
    {
        if (mCode.isEmpty()) {
            mTitle->setText(QStringLiteral("尚未选择股票"));
            return;
        }
        mTitle->setText(QStringLiteral("%1  %2").arg(mCode, mName));
        const Q_DD_Now& q = mQuote.mQNow;
        const bool have = q.getValue(ZtField::UniqueCode).toString() == mCode;
        const double change = q.getValue(ZtField::Change).toDouble();
        const QColor trend = change > 0 ? colour(QStringLiteral("Up"))
                             : change < 0 ? colour(QStringLiteral("Down"))
                                          : colour(QStringLiteral("Flat"));
        auto price = [&](unsigned key) {
            return have ? QString::number(q.getValue(key).toDouble(), 'f', 2) : QStringLiteral("-");
        };
        const QStringList texts = {
            price(ZtField::Last),
            price(ZtField::Change),
            have ? QString::number(q.getValue(ZtField::ChangeRatio).toDouble(), 'f', 2) + QLatin1Char('%')
                 : QStringLiteral("-"),
            price(ZtField::Open),
            price(ZtField::High),
            price(ZtField::Low),
            price(ZtField::PrevClose),
            have ? QString::number(q.getValue(ZtField::Volume).toLongLong() / 100) + QStringLiteral("手")
                 : QStringLiteral("-"),
            have ? DataTrans::getDateTimeFromULL(q.getValue(ZtField::QuoteTime).toULongLong())
                       .toString(QStringLiteral("HH:mm:ss"))
                 : QStringLiteral("-"),
        };
        for (int i = 0; i < mValues.size(); ++i) {
            mValues.at(i)->setText(texts.at(i));
            QPalette pal = mValues.at(i)->palette();
            pal.setColor(QPalette::WindowText, i < 3 ? trend : colour(QStringLiteral("Default")));
            mValues.at(i)->setPalette(pal);
        }
    }

    TerminalShell* mShell = nullptr;
    ZtKeyboardFairy* mFairy = nullptr;
    ZtKeyboardFairy* mFormFairy = nullptr;
    QCheckBox* mSimple = nullptr;
    QCheckBox* mNoSectors = nullptr;
    QLabel* mTitle = nullptr;
    QLabel* mLog = nullptr;
    QList<QLabel*> mValues;
    StockQNow mQuote;
    QString mCode;
    QString mName;
};

const TerminalPage::Registration reg(QStringLiteral("fairy"), QStringLiteral("键盘精灵"), demoGroupName(), 60,
                                     [](QWidget* parent, TerminalShell& shell) {
                                         auto* page = new FairyPage;
                                         page->setParent(parent);
                                         page->attach(shell);
                                         return page;
                                     },
                                     QStringLiteral("the quick search (keyboard fairy) and the stock it opens"));

}
