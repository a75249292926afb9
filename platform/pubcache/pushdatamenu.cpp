#include "pushdatamenu.h"

PushDataMenu::PushDataMenu(const QString& text, const QVariant& data) : mText(text), mData(data) {}

PushDataMenu::PushDataMenu(const QString& text, const QVariant& data, const QVariant& group, bool checkable,
                           bool checked, const QStringList& names, const QString& iconPath,
                           const QList<RightMenu>& menu)
    : mChecked(checked), mCheckable(checkable), mText(text), mData(data), mGroup(group), mNames(names),
      mIconPath(iconPath), mMenu(menu)
{
}
