#include "ztxmlmenu.h"

ZtXMLMenu::ZtXMLMenu(const QHash<QString, QString>& attributes) : mAttributes(attributes) {}

QString ZtXMLMenu::getName() const
{
    return mAttributes.value(QStringLiteral("name"));
}

QString ZtXMLMenu::getText() const
{
    return mAttributes.value(QStringLiteral("text"));
}

QString ZtXMLMenu::getIcon() const
{
    return mAttributes.value(QStringLiteral("icon"));
}

QString ZtXMLMenu::getIconActive() const
{
    return mAttributes.value(QStringLiteral("iconActive"));
}

bool ZtXMLMenu::getIsChecked() const
{
    const QString v = mAttributes.value(QStringLiteral("isChecked")).trimmed();
    if (v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok && n != 0;
}

QString ZtXMLMenu::getTabName() const
{
    return mAttributes.value(QStringLiteral("tabName"));
}

enumXmlType ZtXMLMenu::getType() const
{
    const auto it = mAttributes.constFind(QStringLiteral("type"));
    if (it == mAttributes.cend() || it->trimmed().isEmpty())
        return XmlType_Button;
    bool ok = false;
    const int n = it->trimmed().toInt(&ok);
    return ok ? enumXmlType(n) : XmlType_None;
}

QString ZtXMLMenu::getUrl() const
{
    return mAttributes.value(QStringLiteral("url"));
}

void ZtXMLMenu::setUrl(const QString& url)
{
    mAttributes.insert(QStringLiteral("url"), url);
}

bool ZtXMLMenu::isEmpty() const
{
    return mAttributes.isEmpty();
}

QString ZtXMLMenu::getValue(const QString& attribute) const
{
    return mAttributes.value(attribute);
}

void ZtXMLMenu::setValue(const QString& attribute, const QString& value)
{
    mAttributes.insert(attribute, value);
}
