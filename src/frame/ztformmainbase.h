#pragma once

#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <QPoint>
#include <QPointer>

class QEventLoop;
class QLayout;
class ZtFormMaine;
class ZtFormTitle;

// A window without the system frame: its own title bar above a body that subclasses
// fill with setLayout. It drags by the title, closes with Escape and can run as a
// modal dialog that returns a code.
class ZTCONTROLLIB_EXPORT ZtFormMainBase : public ZtLayoutBase
{
    Q_OBJECT

public:
    explicit ZtFormMainBase(ZtLayoutBase* parent = nullptr, bool keepParentInput = false,
                            const QString& bodyName = QString());
    ~ZtFormMainBase() override;

    void show();
    void showOut();
    void showTop();
    // Blocks in a local event loop until the window is closed or hidden.
    int showDialog();
    void setDialogCode(int code);
    int getDialogCode() const { return mDialogCode; }
    void exit() { childWindowClose(); }

    void setWindowTitle(const QString& text, bool alsoWindow = true);
    void setTitleAlignment(Qt::Alignment alignment);
    void setWindowIcon(const QPixmap& pixmap);
    void setWindowTitleHeight(int height);
    int getWindowTitleHeight() const;
    void setMaxMinmizeBtn(bool visible);
    void setSetTopmizeBtn(bool visible);
    void setClosemizeBtn(bool visible);
    bool getTopMizeButton() const;
    void setTopMizeChecked(bool checked);
    void setTitleFirstWidget(QWidget* w, int spacing);
    void setTitleLastWidget(QWidget* w, int spacing);

    // Names the body, not the window, so style sheets reach the content.
    void setObjectName(const QString& name);
    QLayout* layout() const;
    void setLayout(QLayout* layout);

    ZtFormTitle* getFormTitle() const { return mTitle; }
    ZtFormMaine* getFormMaine() const { return mBody; }

signals:
    void onChildWindowClose(ZtFormMainBase* dialog);

public slots:
    void doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event) override;
    virtual void childWindowClose();
    void doMouseDoubleClick();
    void doMinimizedClick();
    void doWindowTopClick(bool checked);
    void doDestroyed(QObject* obj);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, long* result) override;

private:
    void setFlagsKeepingLoop(Qt::WindowFlags flags);
    void quitLoop();

    ZtFormTitle* mTitle;
    ZtFormMaine* mBody;
    QWidget* mWidgetCon;
    int mMoveX = 0;
    int mMoveY = 0;
    QPointer<QEventLoop> mLoop;
    bool mCenterOnShow = true;
    bool mKeepLoop = false;
    int mDialogCode = 0;
};
