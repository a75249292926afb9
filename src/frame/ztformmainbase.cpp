#include "frame/ztformmainbase.h"

#include "controls/ztpushbutton.h"
#include "frame/ztformmaine.h"
#include "frame/ztformtitle.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

ZtFormMainBase::ZtFormMainBase(ZtLayoutBase* parent, bool keepParentInput, const QString& bodyName)
    : ZtLayoutBase(parent)
    , mTitle(nullptr)
    , mBody(nullptr)
    , mWidgetCon(new QWidget(this))
{
    // A window of its own from the start, so it never shows embedded in its parent.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    if (parent && !keepParentInput)
        disconnectZtLayoutBase(parent);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    mWidgetCon->setObjectName(QStringLiteral("WidgetCon"));
    grid->addWidget(mWidgetCon);

    auto* box = new QVBoxLayout(mWidgetCon);
    box->setContentsMargins(1, 1, 1, 1);
    box->setSpacing(0);
    mTitle = new ZtFormTitle(mWidgetCon);
    mBody = new ZtFormMaine(mWidgetCon);
    mBody->setObjectName(bodyName.isEmpty() ? QStringLiteral("FormMaine") : bodyName);
    box->addWidget(mTitle);
    box->addWidget(mBody, 1);
    setWindowTitle(QStringLiteral("Pvn"));

    connect(mTitle, &ZtFormTitle::onWindowMinClick, this, &ZtFormMainBase::doMinimizedClick);
    connect(mTitle, &ZtFormTitle::onWindowMaxClick, this, &ZtFormMainBase::doMouseDoubleClick);
    connect(mTitle, &ZtFormTitle::onWindowCloseClick, this, &ZtFormMainBase::childWindowClose,
            Qt::QueuedConnection);
    connect(mTitle, &ZtFormTitle::onMouseDoubleClick, this, &ZtFormMainBase::doMouseDoubleClick);
    connect(mTitle, &ZtFormTitle::onWindowTopClick, this, &ZtFormMainBase::doWindowTopClick);
    // When `destroyed` fires only the QObject part of the window is left, so a
    // member slot would run on a dead object; the lambda touches nothing of it.
    // What the window must do when it goes is done in the destructor.
    connect(this, &QObject::destroyed, this, [](QObject* obj) { Q_UNUSED(obj) });
}

ZtFormMainBase::~ZtFormMainBase()
{
    quitLoop();
}

void ZtFormMainBase::setFlagsKeepingLoop(Qt::WindowFlags flags)
{
    // Changing flags hides the window for a moment; that must not end a running dialog.
    const bool keep = mKeepLoop;
    mKeepLoop = true;
    setWindowFlags(flags);
    mKeepLoop = keep;
}

void ZtFormMainBase::quitLoop()
{
    if (mLoop && !mKeepLoop)
        mLoop->exit(0);
}

void ZtFormMainBase::show()
{
    // A parented window would otherwise become a child widget of its parent.
    setFlagsKeepingLoop(parentWidget() ? Qt::Window | Qt::FramelessWindowHint : Qt::FramelessWindowHint);
    ZtLayoutBase::show();
}

void ZtFormMainBase::showOut()
{
    setFlagsKeepingLoop(Qt::Tool | Qt::FramelessWindowHint);
    ZtLayoutBase::show();
}

void ZtFormMainBase::showTop()
{
    setFlagsKeepingLoop(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    ZtLayoutBase::show();
}

int ZtFormMainBase::showDialog()
{
    setFlagsKeepingLoop(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);
    ZtLayoutBase::show();
    QEventLoop loop;
    mLoop = &loop;
    QPointer<ZtFormMainBase> self(this);
    loop.exec(QEventLoop::DialogExec);
    if (!self)
        return 0;
    mLoop = nullptr;
    return mDialogCode;
}

void ZtFormMainBase::setDialogCode(int code)
{
    mDialogCode = code;
    childWindowClose();
}

void ZtFormMainBase::childWindowClose()
{
    emit onChildWindowClose(this);
    close();
}

void ZtFormMainBase::setWindowTitle(const QString& text, bool alsoWindow)
{
    mTitle->setWindowTitle(text);
    if (alsoWindow)
        ZtLayoutBase::setWindowTitle(text);
}

void ZtFormMainBase::setTitleAlignment(Qt::Alignment alignment)
{
    mTitle->setTitleAlignment(alignment);
}

void ZtFormMainBase::setWindowIcon(const QPixmap& pixmap)
{
    mTitle->setWindowIcon(pixmap);
}

void ZtFormMainBase::setWindowTitleHeight(int height)
{
    mTitle->setTitleHeight(height);
}

int ZtFormMainBase::getWindowTitleHeight() const
{
    return mTitle->height();
}

void ZtFormMainBase::setMaxMinmizeBtn(bool visible)
{
    mTitle->setMaxMinmizeBtn(visible);
}

void ZtFormMainBase::setSetTopmizeBtn(bool visible)
{
    mTitle->setSetTopmizeBtn(visible);
}

void ZtFormMainBase::setClosemizeBtn(bool visible)
{
    mTitle->setClosemizeBtn(visible);
}

bool ZtFormMainBase::getTopMizeButton() const
{
    return mTitle->getTopMizeButton();
}

void ZtFormMainBase::setTopMizeChecked(bool checked)
{
    mTitle->setTopMizeChecked(checked);
}

void ZtFormMainBase::setTitleFirstWidget(QWidget* w, int spacing)
{
    mTitle->setTitleFirstWidget(w, spacing);
}

void ZtFormMainBase::setTitleLastWidget(QWidget* w, int spacing)
{
    mTitle->setTitleLastWidget(w, spacing);
}

void ZtFormMainBase::setObjectName(const QString& name)
{
    mBody->setObjectName(name);
}

QLayout* ZtFormMainBase::layout() const
{
    return mBody->layout();
}

void ZtFormMainBase::setLayout(QLayout* layout)
{
    mBody->setLayout(layout);
}

void ZtFormMainBase::doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        if (mTitle->getCloseMizeButton())
            childWindowClose();
        return;
    }
    if (event->key() == Qt::Key_F4 && (event->modifiers() & Qt::AltModifier))
        return;
    emit onKeyReleaseEvent(obj, event);
}

void ZtFormMainBase::doMouseDoubleClick()
{
    if (!isMaximized()) {
        showMaximized();
        mTitle->setWindowState(Qt::WindowMaximized);
    } else {
        showNormal();
        mTitle->setWindowState(Qt::WindowNoState);
    }
}

void ZtFormMainBase::doMinimizedClick()
{
    showMinimized();
}

void ZtFormMainBase::doWindowTopClick(bool checked)
{
    Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
    if (checked)
        flags |= Qt::WindowStaysOnTopHint;
    const bool keep = mKeepLoop;
    mKeepLoop = true;
    setWindowFlags(flags);
    hide();
    ZtLayoutBase::show();
    mKeepLoop = keep;
}

void ZtFormMainBase::doDestroyed(QObject* obj)
{
    Q_UNUSED(obj)
}

void ZtFormMainBase::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint offset = event->globalPos() - pos();
        mMoveX = offset.x();
        mMoveY = offset.y();
    }
    ZtLayoutBase::mousePressEvent(event);
}

void ZtFormMainBase::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        mMoveX = 0;
        mMoveY = 0;
    }
    ZtLayoutBase::mouseReleaseEvent(event);
}

void ZtFormMainBase::mouseMoveEvent(QMouseEvent* event)
{
    if ((mMoveX != 0 || mMoveY != 0) && !isMaximized()) {
        move(event->globalPos() - QPoint(mMoveX, mMoveY));
        return;
    }
    ZtLayoutBase::mouseMoveEvent(event);
}

void ZtFormMainBase::paintEvent(QPaintEvent* event)
{
    ZtLayoutBase::paintEvent(event);
}

bool ZtFormMainBase::nativeEvent(const QByteArray& eventType, void* message, long* result)
{
    return ZtLayoutBase::nativeEvent(eventType, message, result);
}

void ZtFormMainBase::closeEvent(QCloseEvent* event)
{
    quitLoop();
    ZtLayoutBase::closeEvent(event);
}

void ZtFormMainBase::hideEvent(QHideEvent* event)
{
    quitLoop();
    ZtLayoutBase::hideEvent(event);
}

void ZtFormMainBase::showEvent(QShowEvent* event)
{
    if (mCenterOnShow && parentWidget()) {
        mCenterOnShow = false;
        QWidget* reference = parentWidget();
        if (!reference->inherits("ZtFormMainBase")) {
            while (reference->parentWidget())
                reference = reference->parentWidget();
        }
        const QPoint origin = reference->isWindow() ? reference->pos() : reference->mapToGlobal(QPoint(0, 0));
        move(origin + QPoint((reference->width() - width()) / 2, (reference->height() - height()) / 2));
    }
    ZtLayoutBase::showEvent(event);
}
