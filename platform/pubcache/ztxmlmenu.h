#pragma once

#include "pubcacheenums.h"

#include <QHash>
#include <QMetaType>
#include <QString>

// One menu or panel definition: the attributes of a menu node, as strings.
// Also the second base of every panel, so it stays a plain value type.
class ZtXMLMenu
{
public:
    ZtXMLMenu() = default;
    explicit ZtXMLMenu(const QHash<QString, QString>& attributes);

    QString getName() const;
    QString getText() const;
    QString getIcon() const;
    QString getIconActive() const;
    // "true" or a non-zero number: the entry is a checkable button.
    bool getIsChecked() const;
    QString getTabName() const;
    // A missing type is a button; a type that is not a number is XmlType_None.
    enumXmlType getType() const;
    QString getUrl() const;
    void setUrl(const QString& url);
    bool isEmpty() const;

    // Any attribute, empty when absent (e.g. "key" for keyboard shortcuts).
    QString getValue(const QString& attribute) const;
    void setValue(const QString& attribute, const QString& value);
    QHash<QString, QString> getAttributes() const { return mAttributes; }

    bool operator==(const ZtXMLMenu& other) const { return mAttributes == other.mAttributes; }
    bool operator!=(const ZtXMLMenu& other) const { return !(*this == other); }

private:
    QHash<QString, QString> mAttributes;
};

Q_DECLARE_METATYPE(ZtXMLMenu)
