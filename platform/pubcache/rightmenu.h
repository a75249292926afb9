#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariant>

// One item of a declarative menu: a leaf, a separator, or a sub-menu (non-empty children).
class RightMenu
{
public:
    RightMenu() = default;
    // A plain item.
    RightMenu(const QString& text, const QVariant& data);
    // A checkable item: checkable first, then the initial check state.
    RightMenu(const QString& text, const QVariant& data, bool checkable, bool checked,
              const QString& iconPath);
    // A separator when true.
    explicit RightMenu(bool separator);
    // A sub-menu; width 0 keeps the natural width.
    RightMenu(const QString& text, const QVariant& data, const QList<RightMenu>& children, int width = 0);

    QString getText() const { return mText; }
    QString getIconPath() const { return mIconPath; }
    bool isSeparator() const { return mSeparator; }
    bool isChecked() const { return mChecked; }
    bool isCheckable() const { return mCheckable; }
    QVariant getData() const { return mData; }
    QList<RightMenu> getChildren() const { return mChildren; }
    bool hasChildren() const { return !mChildren.isEmpty(); }
    int getWidth() const { return mWidth; }

    void setText(const QString& text) { mText = text; }
    void setIconPath(const QString& path) { mIconPath = path; }
    void setSeparator(bool separator) { mSeparator = separator; }
    void setChecked(bool checked) { mChecked = checked; }
    void setCheckable(bool checkable) { mCheckable = checkable; }
    void setData(const QVariant& data) { mData = data; }
    void setChildren(const QList<RightMenu>& children) { mChildren = children; }
    void appendChild(const RightMenu& child) { mChildren.append(child); }
    void setWidth(int width) { mWidth = width; }

private:
    QString mText;
    QString mIconPath;
    bool mSeparator = false;
    bool mChecked = false;
    bool mCheckable = false;
    QVariant mData;
    QList<RightMenu> mChildren;
    int mWidth = 0;
};

Q_DECLARE_METATYPE(RightMenu)
