#pragma once

#include "controls/ztpushbutton.h"
#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <pubcache/pushdatamenu.h>

#include <QList>
#include <QString>
#include <QVariant>

class ZtStockGroupBox;

// The thin bar under a security's view: a fold-down button and the host's buttons.
class ZTCONTROLLIB_EXPORT ZtStockLineLast : public ZtLayoutBase
{
    Q_OBJECT
public:
    explicit ZtStockLineLast(ZtLayoutBase* parent = nullptr);

    void appendGroup(QList<PushDataMenu> records);
    QList<PushDataMenu> getGroupList(QVariant group) const;
    void setChecked(QList<QVariant> datas);
    void setChecked(QString name);

    ZtPushButton* foldDownButton() const { return mFoldDown; }
    ZtStockGroupBox* lineBox() const { return mLineBox; }

signals:
    void onFoldDownClick(bool checked);
    void onLineBoxClicked(PushDataMenu record);

private slots:
    void doSyncClicked(ZtPushButton* button, bool checked);

private:
    int mButtonHeight = 18;
    QWidget* mRow = nullptr;
    ZtPushButton* mFoldDown = nullptr;
    ZtStockGroupBox* mLineBox = nullptr;
};
