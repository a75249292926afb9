#include "rightmenu.h"

RightMenu::RightMenu(const QString& text, const QVariant& data) : mText(text), mData(data) {}

RightMenu::RightMenu(const QString& text, const QVariant& data, bool checkable, bool checked,
                     const QString& iconPath)
    : mText(text), mIconPath(iconPath), mChecked(checked), mCheckable(checkable), mData(data)
{
}

RightMenu::RightMenu(bool separator) : mSeparator(separator) {}

RightMenu::RightMenu(const QString& text, const QVariant& data, const QList<RightMenu>& children, int width)
    : mText(text), mData(data), mChildren(children), mWidth(width)
{
}
