#include "userkeyboard.h"

UserKeyBoard::UserKeyBoard(int index, const QString& keys, const QString& secondKey, const QString& code,
                           const QString& name, const QString& type, const ZtXMLMenu& menu,
                           const DQDReader& stock)
    : mIndex(index), mKeys(keys), mSecondKey(secondKey), mCode(code), mName(name), mType(type), mMenu(menu),
      mStock(stock)
{
}
