#pragma once

#include "ztcontrollib_global.h"

#include <QLabel>

// A clickable label with an id. It reports clicks with that id, and hover start
// and end so that a moving display can pause while the pointer is over it.
class ZTCONTROLLIB_EXPORT ZtUserLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ZtUserLabel(QString objId, QWidget* parent = nullptr);
    ~ZtUserLabel() override;

    void setObjId(const QString& objId) { mObjId = objId; }
    QString getObjId() const { return mObjId; }
    void setOrderIndex(int index) { mOrderIndex = index; }
    int getOrderIndex() const { return mOrderIndex; }

    // Labels are ordered in their display by index alone.
    bool operator==(const ZtUserLabel& other) const { return mOrderIndex == other.mOrderIndex; }

signals:
    void onStop();
    void onStart();
    void onClick(QString objId);

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void dropHandCursor();

    QString mObjId;
    int mOrderIndex = 0;
    bool mHandPushed = false;
};
