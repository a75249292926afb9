#pragma once

#include "framework/ztlayoutenums.h"
#include "ztcontrollib_global.h"

#include <pubcache/ztxmlmenu.h>
#include <ztlib/dqdquery.h>
#include <ztlib/dqdreader.h>

#include <QStringList>
#include <QVector>
#include <QWidget>

class QKeyEvent;
class QLabel;
class QResizeEvent;
class QTableWidgetItem;
class UserKeyBoard;
class ZtKeyLineEdit;
class ZtKeyTableWidget;
class ZtLayoutBase;
class ZtPushButton;

// The quick-search box: a field that matches what is typed against the keyboard list
// of the cache (codes, names, pinyin initials, functions and indicators) and shows
// the ranked matches in a list under it. Choosing an entry asks for the stock (or
// the menu function) and closes the fairy.
class ZTCONTROLLIB_EXPORT ZtKeyboardFairy : public QWidget
{
    Q_OBJECT
public:
    explicit ZtKeyboardFairy(QWidget* parent = nullptr, bool isMain = true, bool clearOnPick = true);
    ~ZtKeyboardFairy() override;

    // A key typed elsewhere: a digit or a letter starts a search and takes the focus.
    bool doKeyBoardFocusIn(QKeyEvent* event);
    // With clearOnPick false, shows the row as "code name"; otherwise nothing.
    void setText(DQDUnionReader row);
    void close();
    void setEnabled(bool enabled);
    // Entries whose type equals one of these words are never offered.
    void setFiltrationTxt(const QStringList& words);
    void setFocus();
    void setIsSimple(bool simple);
    // The search index of the cache's current keyboard list is in place (it is built
    // on a worker; keystrokes before that scan the list).
    static bool isSearchIndexReady();

signals:
    void onClose();
    void onKeyBoardFocusOut();
    void onFocusStock(DQDUnionReader rowReader);
    void onFocusXmlData(ZtXMLMenu mXmlData);
    void onGotoStock(ZtLayoutBase* obj, DQDUnionReader focusQDDNow, DQDDataList nowquery,
                     enumStockSubType type = StockSubType_Default);

private slots:
    void doKeyBoardFocusOut();
    void doCellClicked(int row, int);
    void doPushButtonClicked();
    void doTextChanged(QString text);
    void doKeyPressForCache(int row);
    void createKeyBoard(UserKeyBoard* mm);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void closeSequence();
    void placeList();
    void restoreInputLimit();
    // Writes an entry into a row of the list, reusing the row's items.
    void fillRow(int row, const UserKeyBoard& entry);
    // Takes the items of the rows from `rows` on out of the list, for later rows:
    // a shorter result, or an empty field, keeps the items instead of deleting them.
    void keepItems(int rows);

    QLabel* mSearchIcon = nullptr;
    ZtPushButton* mDropButton = nullptr;
    ZtKeyLineEdit* mLineEdit = nullptr;
    ZtKeyTableWidget* mTable = nullptr;
    bool isSimple = false;
    QStringList mFiltrationTxt;
    bool isMain = true;
    bool clearOnPick = true;

    // What fillRow last wrote into each cell (row * 3 + column): a cell that keeps
    // its text between keystrokes is left alone.
    struct Written
    {
        const QTableWidgetItem* item = nullptr;
        QString text;
        int index = -1;
    };
    QVector<Written> mWritten;
    // Items out of the list, per column, owned here.
    QVector<QTableWidgetItem*> mSpare[3];

    bool mClosing = false;
    bool mShowingPick = false;
};
