#pragma once

#include "controls/ztpushbutton.h"
#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <pubcache/pushdatamenu.h>

#include <QList>
#include <QPair>
#include <QVariant>

class QHBoxLayout;
class QLabel;

// A panel with a row of switch buttons built from PushDataMenu records.
// Buttons are grouped by the record's group value; checkable buttons of one
// group are exclusive, and every choice is reported with the chosen record.
class ZTCONTROLLIB_EXPORT ZtStockGroupBox : public ZtLayoutBase
{
    Q_OBJECT

public:
    explicit ZtStockGroupBox(ZtLayoutBase* parent);

    void appendButton(const PushDataMenu& record);
    // The records in order, then a stretch.
    void appendGroup(const QList<PushDataMenu>& records);
    // Below 1 a stretch, otherwise a fixed spacing of n pixels.
    void appendStretch(int n);
    void appendWidget(QWidget* widget);
    void clear();
    void setTitle(const QString& title);
    QString getTitle() const;

    ZtPushButton* getButton(int index) const;
    ZtPushButton* getButton(const QString& name) const;
    ZtPushButton* getButton(int index, const QVariant& group) const;
    ZtPushButton* getButton(const QString& name, const QVariant& group) const;
    ZtPushButton* getCheckedButton(const QVariant& group) const;
    QList<PushDataMenu> getGroupList(const QVariant& group) const;
    QList<ZtPushButton*> getButtons() const { return mButtons; }

    void click(const QString& name, const QVariant& group);
    void setChecked(int index, bool reportAgain);
    void setChecked(const PushDataMenu& record, bool reportAgain);
    void setChecked(const QString& name, bool reportAgain);
    // Silent: checks exactly the buttons whose data value is in the list.
    void setChecked(const QList<QVariant>& datas);
    bool setCheckedMenu(int index, bool forward);
    // Reports the current choices again; -1 means every group.
    void recheck(const QVariant& group);
    void setGroupVisible(const QVariant& group, bool visible);

signals:
    void onSyncClicked(PushDataMenu record);
    void onCliclButtonMenu(ZtPushButton* button, UserMenuAction* action);

public slots:
    void doSyncClicked(ZtPushButton* tempBtn, bool checked);
    void doCliclButtonMenu(ZtPushButton* button, UserMenuAction* action);

private:
    using Group = QPair<QVariant, QList<ZtPushButton*>>;

    QList<ZtPushButton*> groupButtons(const QVariant& group) const;
    void fitHeight(QWidget* widget) const;

    QWidget* mRow = nullptr;
    QHBoxLayout* mRowLayout = nullptr;
    QLabel* mTitle = nullptr;
    QList<PushDataMenu> mRecords;
    QList<ZtPushButton*> mButtons;
    // In order of first appearance; group values are few, and QVariant has no usable ordering.
    QList<Group> mGroups;
};
