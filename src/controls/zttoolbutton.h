#pragma once

#include "ztcontrollib_global.h"

#include <pubcache/ztxmlmenu.h>

#include <QToolButton>

// A tool button defined by a menu-definition record. Like ZtPushButton it
// reports user choices only (and never an uncheck), can be force-checked and
// paints a count badge; a user click on a checkable button swaps in the
// active icon.
class ZTCONTROLLIB_EXPORT ZtToolButton : public QToolButton
{
    Q_OBJECT

public:
    explicit ZtToolButton(QWidget* parent = nullptr);
    ZtToolButton(const ZtXMLMenu& xml, bool horizontal, QWidget* parent = nullptr);

    // An empty text is ignored.
    void setText(const QString& text);
    void setIcon(const QString& path);
    void setActiveIcon(const QString& path) { mIconActivePath = path; }
    // Silent: reports nothing and keeps the icon.
    void setChecked(bool checked);
    void click();
    void setPromptNumber(const QString& number);
    QString getPromptNumber() const { return mPromptNumber; }
    void setTabname(const QString& tabName) { mTabName = tabName; }
    QString getTabname() const { return mTabName; }
    void setIsHorizontal(bool horizontal);
    bool getIsHorizontal() const { return mIsHorizontal; }
    void setIsForceCheck(bool force) { mIsForceCheck = force; }
    bool getIsForceCheck() const { return mIsForceCheck; }
    ZtXMLMenu getXmlData() const { return mXmlData; }

signals:
    void onSyncClicked(ZtToolButton* button, bool checked);

public slots:
    void resToolButtonStyle();
    void doclicked(bool checked);
    void dotoggled(bool checked);
    void doSyncClicked(bool istoggl, bool checked);

protected:
    void nextCheckState() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void init();
    void showIcon(const QString& path);

    QString mTabName;
    QString mIconPath;
    QString mIconActivePath;
    QString mPromptNumber;
    bool mIsHorizontal = false;
    bool mEmitToggled = true;
    bool mIsForceCheck = false;
    ZtXMLMenu mXmlData;
};
