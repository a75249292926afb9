#include "controls/zttoolbutton.h"

#include "controls/ztpushbutton.h"

#include <QPixmap>

ZtToolButton::ZtToolButton(QWidget* parent) : QToolButton(parent)
{
    init();
}

ZtToolButton::ZtToolButton(const ZtXMLMenu& xml, bool horizontal, QWidget* parent) : QToolButton(parent)
{
    init();
    mIsHorizontal = horizontal;
    mXmlData = xml;
    setObjectName(xml.getName());
    if (!xml.getText().isEmpty())
        setText(xml.getText());
    setToolTip(text());
    mTabName = xml.getTabName();
    QToolButton::setCheckable(xml.getIsChecked());
    mIconPath = xml.getIcon();
    mIconActivePath = xml.getIconActive();
    setIcon(mIconPath);
}

void ZtToolButton::init()
{
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::toggled, this, &ZtToolButton::dotoggled);
    connect(this, &QAbstractButton::clicked, this, &ZtToolButton::doclicked);
}

void ZtToolButton::setText(const QString& text)
{
    if (text.isEmpty())
        return;
    QToolButton::setText(text);
    resToolButtonStyle();
}

void ZtToolButton::setIcon(const QString& path)
{
    if (path.isEmpty())
        return;
    mIconPath = path;
    showIcon(path);
}

void ZtToolButton::showIcon(const QString& path)
{
    const QPixmap pixmap(path);
    if (!pixmap.isNull())
        setIconSize(pixmap.size());
    QToolButton::setIcon(QIcon(pixmap));
    resToolButtonStyle();
}

void ZtToolButton::setChecked(bool checked)
{
    const bool emitToggled = mEmitToggled;
    mEmitToggled = false;
    QToolButton::setChecked(checked);
    mEmitToggled = emitToggled;
}

void ZtToolButton::click()
{
    if (isCheckable()) {
        setChecked(true);
        if (mIsForceCheck)
            setChecked(true);
    }
    emit onSyncClicked(this, true);
}

void ZtToolButton::setPromptNumber(const QString& number)
{
    mPromptNumber = ZtPushButton::promptText(number);
    update();
}

void ZtToolButton::setIsHorizontal(bool horizontal)
{
    mIsHorizontal = horizontal;
    resToolButtonStyle();
}

void ZtToolButton::resToolButtonStyle()
{
    const bool hasText = !text().isEmpty();
    const bool hasIcon = !icon().isNull();
    if (hasText && hasIcon)
        setToolButtonStyle(mIsHorizontal ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonTextUnderIcon);
    else if (hasText)
        setToolButtonStyle(Qt::ToolButtonTextOnly);
    else if (hasIcon)
        setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void ZtToolButton::doclicked(bool checked)
{
    Q_UNUSED(checked)
    if (!isCheckable())
        emit onSyncClicked(this, true);
}

void ZtToolButton::dotoggled(bool checked)
{
    if (!mEmitToggled)
        return;
    if (mIsForceCheck) {
        setChecked(true);
        if (!checked)
            return;
    }
    if (checked && isCheckable())
        emit onSyncClicked(this, true);
}

void ZtToolButton::doSyncClicked(bool istoggl, bool checked)
{
    if (checked && isCheckable() == istoggl)
        emit onSyncClicked(this, checked);
}

void ZtToolButton::nextCheckState()
{
    QToolButton::nextCheckState();
    if (mIconActivePath.isEmpty())
        return;
    showIcon(isChecked() ? mIconActivePath : mIconPath);
    update();
}

void ZtToolButton::paintEvent(QPaintEvent* event)
{
    QToolButton::paintEvent(event);
    if (!mPromptNumber.isEmpty() && !icon().isNull())
        ZtPushButton::paintPrompt(this, iconSize(), mPromptNumber);
}
