#pragma once

#include "ztcontrollib_global.h"

#include <pubcache/ztxmlmenu.h>

#include <QWidget>

class QLabel;

// An icon above (or beside) a text, usually built from a menu definition; each
// part hides itself while it is empty.
class ZTCONTROLLIB_EXPORT ZtToolLabel : public QWidget
{
    Q_OBJECT

public:
    // The two labels without a layout; the owner places them.
    explicit ZtToolLabel(QWidget* parent = nullptr);
    ZtToolLabel(bool horizontal, QWidget* parent);
    ZtToolLabel(bool horizontal, ZtXMLMenu xml, QWidget* parent);

    // An empty text or path leaves the current one in place.
    void setText(const QString& text);
    void setIcon(QString path);
    ZtXMLMenu getXmlData() const { return mXmlData; }

    QLabel* textLabel() const { return mTextLabel; }
    QLabel* iconLabel() const { return mIconLabel; }

private:
    void updateVisibility();

    ZtXMLMenu mXmlData;
    QLabel* mTextLabel;
    QLabel* mIconLabel;
};
