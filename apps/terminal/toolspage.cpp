#include "terminalpages.h"

#include <grids/zttableview.h>
#include <grids/ztviewfield.h>
#include <web/cookiemodel.h>
#include <web/ztcookiejar.h>

#include <QDateTime>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QNetworkCookie>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The demo keeps its cookies with the user's data, never beside the binary.
QString demoCookieFile()
{
    QString dir = qEnvironmentVariable("ZT_DATA_DIR");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(dir).filePath(QStringLiteral("cookies.ini"));
}

// The field table with its sample rows, and the cookie jar a host would install.
class ToolsPage : public QWidget
{
public:
    explicit ToolsPage(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("ToolsPage"));
        auto* layout = new QVBoxLayout(this);
        auto* splitter = new QSplitter(Qt::Vertical, this);
        layout->addWidget(splitter);

        auto* tableBox = new QGroupBox(QStringLiteral("字段表"), splitter);
        auto* tableLayout = new QVBoxLayout(tableBox);
        QList<ZtViewField*> fields;
        for (const QString& title : {QStringLiteral("代码"), QStringLiteral("名称"), QStringLiteral("最新"),
                                     QStringLiteral("涨跌"), QStringLiteral("涨幅")})
            fields.append(new ZtViewField(title, QVariant()));
        auto* table = new ZtTableView(fields, tableBox);
        table->setData();
        // The table's light header and selection give way to the terminal's dark style.
        table->tableWidget()->setStyleSheet(QString());
        table->tableWidget()->horizontalHeader()->setStyleSheet(QString());
        tableLayout->addWidget(table);

        auto* cookieBox = new QGroupBox(QStringLiteral("Cookie"), splitter);
        auto* cookieLayout = new QVBoxLayout(cookieBox);
        mJar = new ZtCookieJar(this);
        mJar->setCookieFile(demoCookieFile());
        auto* view = new QTableView(cookieBox);
        view->setModel(new CookieModel(mJar, view));
        view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        cookieLayout->addWidget(view);

        auto* buttons = new QHBoxLayout;
        auto* sample = new QPushButton(QStringLiteral("添加示例"), cookieBox);
        auto* remove = new QPushButton(QStringLiteral("删除所选"), cookieBox);
        auto* clear = new QPushButton(QStringLiteral("全部清除"), cookieBox);
        buttons->addWidget(sample);
        buttons->addWidget(remove);
        buttons->addWidget(clear);
        buttons->addStretch();
        cookieLayout->addLayout(buttons);

        connect(sample, &QPushButton::clicked, this, [this] { addSamples(); });
        connect(clear, &QPushButton::clicked, mJar, &ZtCookieJar::clear);
        connect(remove, &QPushButton::clicked, view, [view] {
            const QModelIndexList rows = view->selectionModel()->selectedRows();
            if (!rows.isEmpty())
                view->model()->removeRows(rows.first().row(), 1);
        });
        splitter->setStretchFactor(0, 3);
        splitter->setStretchFactor(1, 2);
    }

private:
    void addSamples()
    {
        const QUrl site(QStringLiteral("https://quote.example/"));
        mJar->setFirstPartyUrl(site);
        QNetworkCookie login("session", "demo");
        QNetworkCookie theme("theme", "dark");
        theme.setExpirationDate(QDateTime::currentDateTimeUtc().addDays(30));
        theme.setSecure(true);
        mJar->setCookiesFromUrl({login, theme}, site);
    }

    ZtCookieJar* mJar = nullptr;
};

const TerminalPage::Registration reg(QStringLiteral("tools"), QStringLiteral("工具"), demoGroupName(), 900,
                                     [](QWidget* parent, TerminalShell&) { return new ToolsPage(parent); },
                                     QStringLiteral("the field table and the cookie jar of the web pages"));

}
