#include "frame/ztformtitle.h"

#include "controls/ztpushbutton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

namespace {
const int DefaultTitleHeight = 30;
}

ZtFormTitle::ZtFormTitle(QWidget* parent)
    : QWidget(parent)
    , mInner(new QWidget(this))
    , mBox(new QHBoxLayout(mInner))
    , mIconLabel(new QLabel(mInner))
    , mTitleLabel(new QLabel(QStringLiteral("Pvn"), mInner))
{
    setFixedHeight(DefaultTitleHeight);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(mInner);
    mBox->setContentsMargins(0, 0, 0, 0);
    mBox->setSpacing(0);

    mIconLabel->setAlignment(Qt::AlignCenter);
    setWindowIcon(QPixmap(QStringLiteral(":/images/BaseForm/img_poupicon.png")));
    mTitleLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    mTopButton = makeButton(QStringLiteral("置顶"), QStringLiteral(":/images/BaseForm/img_top_none.png"));
    mTopButton->setObjectName(QStringLiteral("PushSetTop"));
    mTopButton->setCheckable(true);
    mTopButton->setFixedSize(25, 25);
    mMinButton = makeButton(QStringLiteral("最小化"), QStringLiteral(":/images/BaseForm/img_min_none.png"));
    mMaxButton = makeButton(QStringLiteral("最大化"), QStringLiteral(":/images/BaseForm/img_max_none.png"));
    mCloseButton = makeButton(QStringLiteral("关闭"), QStringLiteral(":/images/BaseForm/img_close_none.png"));
    mCloseButton->setObjectName(QStringLiteral("btnMainClose"));
    setTitleHeight(DefaultTitleHeight);
    mTopButton->hide();
    mMinButton->hide();
    mMaxButton->hide();

    mBox->addSpacing(10);
    mBox->addWidget(mIconLabel);
    mBox->addSpacing(10);
    mBox->addWidget(mTitleLabel, 1);
    mBox->addSpacing(10);
    mBox->addWidget(mTopButton);
    mBox->addWidget(mMinButton);
    mBox->addWidget(mMaxButton);
    mBox->addWidget(mCloseButton);

    connect(mTopButton, &QAbstractButton::clicked, this,
            [this](bool checked) { doWindowTopClick(mTopButton, checked); });
    connect(mMinButton, &QAbstractButton::clicked, this, &ZtFormTitle::onWindowMinClick);
    connect(mMaxButton, &QAbstractButton::clicked, this, &ZtFormTitle::onWindowMaxClick);
    connect(mCloseButton, &QAbstractButton::clicked, this, &ZtFormTitle::onWindowCloseClick);
}

ZtPushButton* ZtFormTitle::makeButton(const QString& tip, const QString& icon)
{
    auto* button = new ZtPushButton(mInner);
    button->setCursor(Qt::ArrowCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(tip);
    button->setIcon(icon);
    return button;
}

void ZtFormTitle::setWindowTitle(const QString& text)
{
    mTitleLabel->setText(text);
}

QString ZtFormTitle::windowTitleText() const
{
    return mTitleLabel->text();
}

void ZtFormTitle::setTitleAlignment(Qt::Alignment alignment)
{
    mTitleLabel->setAlignment(alignment);
}

void ZtFormTitle::setWindowIcon(const QPixmap& pixmap)
{
    mIconLabel->setPixmap(pixmap);
    mIconLabel->setFixedWidth(pixmap.width());
}

void ZtFormTitle::setTitleHeight(int height)
{
    setFixedHeight(height);
    mIconLabel->setFixedHeight(height);
    mMinButton->setFixedSize(35, height);
    mMaxButton->setFixedSize(35, height);
    mCloseButton->setFixedSize(40, height);
}

void ZtFormTitle::setTitleFirstWidget(QWidget* w, int spacing)
{
    if (!w)
        return;
    w->setFixedHeight(height());
    // After the icon and any earlier first widgets, before the gap that leads to the title.
    int at = mBox->indexOf(mTitleLabel) - 1;
    if (spacing > 0)
        mBox->insertSpacing(at++, 10);
    mBox->insertWidget(at, w);
}

void ZtFormTitle::setTitleLastWidget(QWidget* w, int spacing)
{
    if (!w)
        return;
    w->setFixedHeight(height());
    // After the title and any earlier last widgets, always before the window buttons.
    int at = mBox->indexOf(mTopButton);
    if (spacing > 0)
        mBox->insertSpacing(at++, spacing);
    mBox->insertWidget(at, w);
}

void ZtFormTitle::setMaxMinmizeBtn(bool visible)
{
    mMinButton->setVisible(visible);
    mMaxButton->setVisible(visible);
}

void ZtFormTitle::setSetTopmizeBtn(bool visible)
{
    mTopButton->setVisible(visible);
}

void ZtFormTitle::setClosemizeBtn(bool visible)
{
    mCloseButton->setVisible(visible);
}

void ZtFormTitle::setTopMizeChecked(bool checked)
{
    doWindowTopClick(mTopButton, checked);
}

bool ZtFormTitle::getTopMizeButton() const
{
    return !mTopButton->isHidden();
}

bool ZtFormTitle::getCloseMizeButton() const
{
    return !mCloseButton->isHidden();
}

void ZtFormTitle::setWindowState(Qt::WindowStates state)
{
    if (state & Qt::WindowMaximized) {
        mMaxButton->setIcon(QStringLiteral(":/images/BaseForm/img_back_none.png"));
        mMaxButton->setToolTip(QStringLiteral("还原"));
    } else {
        mMaxButton->setIcon(QStringLiteral(":/images/BaseForm/img_max_none.png"));
        mMaxButton->setToolTip(QStringLiteral("最大化"));
    }
}

void ZtFormTitle::doWindowTopClick(ZtPushButton* button, bool checked)
{
    if (!button)
        return;
    button->setChecked(checked);
    button->setToolTip(checked ? QStringLiteral("取消置顶") : QStringLiteral("置顶"));
    emit onWindowTopClick(checked);
}

void ZtFormTitle::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Without a maximise button the window has no maximised state to toggle.
    if (event->button() == Qt::LeftButton && !mMaxButton->isHidden()) {
        emit onMouseDoubleClick();
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}
