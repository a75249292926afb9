#include "frame/zttabbutton.h"

#include "controls/zttoolbutton.h"
#include "framework/ztlayoutbase.h"

#include <QHBoxLayout>
#include <QLabel>

ZtTabButton::ZtTabButton(bool closable, ZtLayoutBase* page, QWidget* parent)
    : QPushButton(parent)
    , mIconLabel(new QLabel(this))
    , mTextLabel(new QLabel(this))
    , mCloseButton(new ZtToolButton(this))
    , mSubWidget(page)
{
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);

    auto* box = new QHBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    mIconLabel->setAlignment(Qt::AlignCenter);
    mIconLabel->hide();
    mTextLabel->setAlignment(Qt::AlignCenter);
    // The button itself takes the clicks, not its labels.
    mIconLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    mTextLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->addWidget(mIconLabel);
    box->addWidget(mTextLabel, 1);

    mCloseButton->setText(QStringLiteral("×"));
    mCloseButton->setToolTip(QStringLiteral("关闭"));
    mCloseButton->setFixedSize(13, 13);
    mCloseButton->setFocusPolicy(Qt::NoFocus);
    mCloseButton->setVisible(closable);
    box->addWidget(mCloseButton);
    connect(mCloseButton, &QAbstractButton::clicked, this, &ZtTabButton::doCloseClick);

    if (mSubWidget) {
        setCheckable(true);
        setObjectName(mSubWidget->objectName());
        mSubWidget->hide();
    }
    connect(this, &QAbstractButton::toggled, this, &ZtTabButton::dotoggled);
    connect(this, &QAbstractButton::clicked, this, &ZtTabButton::onCurrentClick);
}

void ZtTabButton::setText(const QString& text)
{
    mTextLabel->setText(text);
}

QString ZtTabButton::text() const
{
    return mTextLabel->text();
}

void ZtTabButton::setIcon(const QPixmap& pixmap)
{
    mIconLabel->setPixmap(pixmap);
    mIconLabel->setVisible(!pixmap.isNull());
}

void ZtTabButton::setChecked(bool checked)
{
    const bool emitToggled = mEmitToggled;
    mEmitToggled = false;
    QPushButton::setChecked(checked);
    mEmitToggled = emitToggled;
}

void ZtTabButton::click()
{
    setChecked(true);
    if (mIsForceCheck)
        setChecked(true);
    if (mSubWidget)
        mSubWidget->show();
    emit onCurrentChanged(mSubWidget);
}

void ZtTabButton::doCloseClick()
{
    emit onCloseClick(this);
}

void ZtTabButton::dotoggled(bool checked)
{
    if (!mEmitToggled)
        return;
    if (mIsForceCheck) {
        setChecked(true);
        if (!checked)
            return;
    }
    if (mSubWidget)
        mSubWidget->setVisible(checked);
    if (checked)
        emit onCurrentChanged(mSubWidget);
}
