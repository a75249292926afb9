#include "formxxdlbox.h"

#include "formmineinfo.h"
#include "formxxdlbox_info.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/datatrans.h>
#include <ztlib/pbdatachange.h>

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopWidget>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>
#include <QtConcurrent>

namespace {
constexpr unsigned int kId = 37020;
constexpr unsigned int kType = 37030;
constexpr unsigned int kTitle = 37040;
constexpr unsigned int kInfoTime = 37050;
constexpr unsigned int kDate = 37060;

QRect availableAt(const QPoint& globalPos)
{
    QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
}
}

FormXXDLBox::FormXXDLBox(QString stockCode, qint64 time, QWidget* parent, bool timeOnly)
    : QWidget(parent), mStockCode(stockCode), mTime(time), mTimeOnly(timeOnly)
{
    setObjectName(QStringLiteral("FormXXDLBox"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    mContent = new QWidget(this);
    mContent->setObjectName(QStringLiteral("qt_FormMaine"));
    auto* box = new QVBoxLayout(mContent);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(1);
    grid->addWidget(mContent);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setMouseTracking(true);
    qRegisterMetaType<DQDDataList>("DQDDataList");
    connect(this, &FormXXDLBox::onUpdate, this, &FormXXDLBox::doUpdate, Qt::QueuedConnection);
    connect(this, &FormXXDLBox::onClose, this, &QWidget::close, Qt::QueuedConnection);

    auto* waiting = new QLabel(QStringLiteral("...正在查询..."), mContent);
    waiting->setFixedHeight(mRowHeight);
    box->addWidget(waiting);
    resize(400, 28);
    setMinimumWidth(400);
    setMaximumWidth(400);

    mMouseTimer.setInterval(50);
    connect(&mMouseTimer, &QTimer::timeout, this, &FormXXDLBox::doCheckMouseEvent);
    mMouseTimer.start();
    mTimerActive = true;
}

FormXXDLBox::~FormXXDLBox()
{
    stopTask();
}

DQDDataList FormXXDLBox::read() const
{
    return mTime < 0 ? PBDataChange::LBGD_Xxdl_Btlb_Bjlb(mStockCode, 0)
                     : PBDataChange::LBGD_Xxdl_Btlb(mStockCode, mTime, 0);
}

void FormXXDLBox::doStartLoadingData()
{
    const DQDDataList first = read();
    if (first.getDataDownValid())
        doUpdate(first);
    if (mTaskStarted)
        return;
    mTaskStarted = true;
    mFuture = QtConcurrent::run([this] {
        while (PubCache::runFlag && mTimerActive) {
            const DQDDataList list = read();
            QThread::msleep(list.getDataDownValid() ? 100 : 300);
            if (!mTimerActive)
                break;
            if (mVisible && list.getDataDownValid())
                emit onUpdate(list);
        }
        emit onClose();
    });
}

void FormXXDLBox::stopTask()
{
    mMouseTimer.stop();
    mTimerActive = false;
    mFuture.waitForFinished();
}

void FormXXDLBox::removeWidget()
{
    PubStaticFunc::ClearChild(mContent, true);
}

void FormXXDLBox::doUpdate(DQDDataList dlxx)
{
    if (dlxx.count() == mList.count())
        return;
    mList = dlxx;
    setUpdatesEnabled(false);
    removeWidget();
    delete mContent->layout();
    auto* box = new QVBoxLayout(mContent);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(1);

    const QFontMetrics metrics(font());
    int limit = maximumWidth() - 10;
    bool separated = false;
    const qint64 today = qint64(DataTrans::getYYYYMMDDHHMMSSFFFCurrentEnd() / 1000000000ULL);
    for (int i = 0; i < dlxx.count(); ++i) {
        const DQDUnionReader* row = qAsConst(dlxx).at(i);
        const quint64 time = row->getValue(mTimeOnly ? kInfoTime : kDate).toULongLong();
        if (mTime < 0 && !separated && qint64(time / 1000000000ULL) != today) {
            auto* separator = new QLabel(QStringLiteral("------------今日资讯到此------------"), mContent);
            separator->setFixedHeight(mRowHeight);
            box->addWidget(separator);
            separated = true;
        }
        const QString title = row->getValue(kTitle).toString();
        QString text = DataTrans::getDateTimeFromULL(time).toString(mTimeOnly ? QStringLiteral("HH:mm")
                                                                              : QStringLiteral("yyyy-MM-dd"))
                       + QStringLiteral("  ") + title;
        auto* label = new FormXXDLBox_info(mStockCode, row->getValue(kType).toString(), row->getValue(kId).toString(),
                                           text, mContent);
        label->setFixedHeight(mRowHeight);
        if (metrics.horizontalAdvance(text) > limit)
            text = metrics.elidedText(text, Qt::ElideRight, limit - 10);
        label->setText(text);
        box->addWidget(label);
        connect(label, &FormXXDLBox_info::onLabelClick, this, &FormXXDLBox::doLabelClick);
        limit = std::max(limit, metrics.horizontalAdvance(title));
    }
    const int height = mRowHeight * mContent->children().size() + 13;
    resize(width(), height);
    const QPoint cursor = QCursor::pos();
    const QRect available = availableAt(cursor);
    const int excess = cursor.y() + height - (available.y() + available.height());
    if (excess > 0)
        move(x(), y() - excess);
    setUpdatesEnabled(true);
}

void FormXXDLBox::doLabelClick(QString stockCode, QString type, QString newsId)
{
    hide();
    // The dialog runs after this slot: the box closes itself meanwhile.
    QPointer<QWidget> parent = parentWidget();
    QTimer::singleShot(0, [parent, stockCode, type, newsId] {
        auto* info = new FormMineInfo(stockCode, QStringLiteral("frm_public_xxdl_%1"), type, newsId, nullptr);
        if (parent)
            info->setParent(parent, info->windowFlags());
        info->showDialog();
    });
}

void FormXXDLBox::doCheckMouseEvent()
{
    if (!rect().contains(mapFromGlobal(QCursor::pos())))
        hide();
}

void FormXXDLBox::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    mVisible = true;
    // Keep the whole box on the screen the cursor is on.
    const QPoint cursor = QCursor::pos();
    const QRect available = availableAt(cursor);
    if (cursor.x() + width() > available.x() + available.width()) {
        const int globalX = available.x() + available.width() - width() - 10;
        const QPoint target = parentWidget() && !isWindow() ? parentWidget()->mapFromGlobal(QPoint(globalX, 0))
                                                            : QPoint(globalX, 0);
        move(target.x(), y());
    }
}

void FormXXDLBox::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    mVisible = false;
    // The task sees the stop, ends, and its end closes the box.
    mMouseTimer.stop();
    mTimerActive = false;
    if (!mTaskStarted)
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void FormXXDLBox::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    hide();
}

void FormXXDLBox::closeEvent(QCloseEvent* event)
{
    stopTask();
    disconnect(this, &FormXXDLBox::onUpdate, this, &FormXXDLBox::doUpdate);
    QWidget::closeEvent(event);
}
