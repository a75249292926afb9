#include "controls/ztpushbutton.h"

#include <pubcache/pubstaticfunc.h>

#include <QPainter>
#include <QPixmap>

ZtPushButton::ZtPushButton(QWidget* parent) : QPushButton(parent)
{
    init();
}

ZtPushButton::ZtPushButton(const QString& text, QWidget* parent) : QPushButton(parent)
{
    mData.setText(text);
    init();
}

ZtPushButton::ZtPushButton(const QString& text, const QVariant& data, QWidget* parent) : QPushButton(parent)
{
    mData.setText(text);
    mData.setData(data);
    init();
}

void ZtPushButton::init()
{
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::toggled, this, &ZtPushButton::dotoggled);
    connect(this, &QAbstractButton::clicked, this, &ZtPushButton::doclicked);
}

void ZtPushButton::setText(const QString& text)
{
    mData.setText(text);
    QPushButton::setText(text);
}

void ZtPushButton::setCheckable(bool checkable)
{
    mData.setCheckable(checkable);
    QPushButton::setCheckable(checkable);
}

void ZtPushButton::setChecked(bool checked)
{
    const bool emitToggled = mEmitToggled;
    mEmitToggled = false;
    QPushButton::setChecked(checked);
    mEmitToggled = emitToggled;
}

void ZtPushButton::setClickId(const QString& clickId)
{
    mData.setClidkId(clickId);
}

void ZtPushButton::setDatas(const PushDataMenu& record)
{
    mData = record;
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
    setText(record.getText());
    setCheckable(record.isCheckable());
    if (!record.getIconPath().isEmpty())
        setIcon(record.getIconPath());
    setMenu(record.getMenu());
}

void ZtPushButton::setIcon(const QPixmap& pixmap)
{
    if (pixmap.isNull())
        return;
    setIconSize(pixmap.size());
    QPushButton::setIcon(QIcon(pixmap));
}

void ZtPushButton::setIcon(const QString& path)
{
    if (!path.isEmpty())
        setIcon(QPixmap(path));
}

void ZtPushButton::clearIcon()
{
    QPushButton::setIcon(QIcon());
}

void ZtPushButton::setPromptNumber(const QString& number)
{
    mPromptNumber = promptText(number);
    update();
}

void ZtPushButton::setMenu(const QList<RightMenu>& records)
{
    if (records.isEmpty())
        return;
    if (mMenu) {
        QPushButton::setMenu(nullptr);
        PubStaticFunc::ClearWidget(mMenu);
    }
    mMenu = new UserRightMenu(this);
    mMenu->appendRightMenu(records);
    QPushButton::setMenu(mMenu);
    connect(mMenu, &UserRightMenu::onAboutToShowMenu, this, &ZtPushButton::doAboutToShowMenu);
    connect(mMenu, &UserRightMenu::onCliclParentMenu, this, &ZtPushButton::doCliclParentMenu);
}

void ZtPushButton::clearMenuChecked()
{
    if (!mMenu)
        return;
    for (UserMenuAction* action : mMenu->actions())
        action->setChecked(false);
}

int ZtPushButton::getCheckedMenuIndex() const
{
    if (!mMenu)
        return -1;
    const QList<UserMenuAction*> list = mMenu->actions();
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i)->isChecked())
            return i;
    }
    return -1;
}

UserMenuAction* ZtPushButton::getCheckedMenu() const
{
    const int index = getCheckedMenuIndex();
    return index < 0 ? nullptr : mMenu->actions().at(index);
}

bool ZtPushButton::setCheckedMenu(int index)
{
    if (!mMenu)
        return false;
    const QList<UserMenuAction*> list = mMenu->actions();
    if (index < 0 || index >= list.size())
        return false;
    UserMenuAction* action = list.at(index);
    // Chosen as the user would choose it, so owners see one road for both.
    if (action->getParentData() == -1)
        emit action->onCliclParentMenu(action);
    else
        emit action->onCliclChileMenu(action, enumRightMenuType(action->getParentData()));
    return true;
}

bool ZtPushButton::setCheckedMenu(bool forward)
{
    return setCheckedMenu(getCheckedMenuIndex() + (forward ? 1 : -1));
}

void ZtPushButton::click()
{
    if (isCheckable()) {
        setChecked(true);
        if (mIsForceCheck)
            setChecked(true);
    }
    emit onSyncClicked(this, true);
}

QString ZtPushButton::promptText(const QString& number)
{
    const int n = number.toInt();
    if (n > 99)
        return QStringLiteral("99");
    if (n >= 1)
        return number;
    return QString();
}

void ZtPushButton::paintPrompt(QWidget* button, const QSize& iconSize, const QString& text)
{
    const QRect square((button->width() - iconSize.width()) / 2 + 15,
                       (button->height() - iconSize.height()) / 2 - 15, 20, 20);
    QPainter painter(button);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setPen(QPen(Qt::red, 1));
    painter.setBrush(Qt::red);
    painter.drawEllipse(square);
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("微软雅黑"), 9));
    painter.drawText(square, Qt::AlignCenter, text);
}

void ZtPushButton::doclicked(bool checked)
{
    Q_UNUSED(checked)
    // Checkable buttons report through dotoggled.
    if (!isCheckable())
        emit onSyncClicked(this, true);
}

void ZtPushButton::dotoggled(bool checked)
{
    if (!mEmitToggled)
        return;
    if (mIsForceCheck) {
        setChecked(true);
        if (!checked)
            return;
    }
    if (isCheckable())
        emit onSyncClicked(this, checked);
}

void ZtPushButton::doSyncClicked(bool istoggl, bool checked)
{
    if (isCheckable() == istoggl)
        emit onSyncClicked(this, checked);
}

void ZtPushButton::doCliclParentMenu(UserMenuAction* action)
{
    if (mMenu) {
        for (UserMenuAction* item : mMenu->actions())
            item->setChecked(item == action);
    }
    emit onCliclButtonMenu(this, action);
}

void ZtPushButton::doAboutToShowMenu(QList<UserMenuAction*> list)
{
    emit onAboutToShowMenu(this, list);
}

void ZtPushButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    if (!mPromptNumber.isEmpty() && !icon().isNull())
        paintPrompt(this, iconSize(), mPromptNumber);
}
