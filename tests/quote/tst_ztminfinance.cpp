#include <format/financelabel.h>
#include <quote/ztminfinance.h>

#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

static QList<DQDField::Field> fields(int n)
{
    QList<DQDField::Field> list;
    const QList<DQDField::Field> base = {
        DQDField::Field(QStringLiteral("最新"), 17030, QStringLiteral("bos:12010"), QStringLiteral("d2")),
        DQDField::Field(QStringLiteral("涨幅"), 22030, QStringLiteral("case:0"), QStringLiteral("fd2[ls:%]")),
        DQDField::Field(QStringLiteral("成交额"), 17050, QStringLiteral("sys:vol"), QStringLiteral("d2w")),
    };
    for (int i = 0; i < n; ++i)
        list.append(base.at(i % base.size()));
    return list;
}

static DQDUnionReader quote(double last, double prev)
{
    DQDUnionReader r;
    r.setValue(17030, last);
    r.setValue(12010, prev);
    r.setValue(22030, (last - prev) / prev * 100.0);
    r.setValue(17050, 123456789.0);
    return r;
}

class tst_ZtMinFinance : public QObject
{
    Q_OBJECT

private slots:
    void rowsAndScrolling()
    {
        ZtLayoutBase root(nullptr);
        ZtMinFinance panel(&root, fields(12));
        QCOMPARE(panel.labels().size(), 12);
        root.resize(400, 600);
        panel.resize(220, 200);
        root.show();
        QTRY_VERIFY(panel.scrollArea()->verticalScrollBar()->isVisible());
        panel.resize(220, 500);
        QTRY_VERIFY(!panel.scrollArea()->verticalScrollBar()->isVisible());
    }

    void widthFollowsPanel()
    {
        ZtLayoutBase root(nullptr);
        ZtMinFinance panel(&root, fields(3));
        root.resize(400, 600);
        panel.resize(260, 400);
        root.show();
        QTRY_COMPARE(panel.contentWidget()->width(), panel.scrollArea()->width());
        panel.resize(180, 400);
        QTRY_COMPARE(panel.scrollArea()->width(), 180);
        QCOMPARE(panel.contentWidget()->width(), 180);
        for (FinanceLabel* label : panel.labels())
            QCOMPARE(label->width(), 180);
    }

    void quoteReachesEveryRow()
    {
        ZtLayoutBase root(nullptr);
        ZtMinFinance panel(&root, fields(3));
        panel.doQNowDataUpdStock(quote(11.0, 10.0));
        QCOMPARE(panel.labels().at(0)->valueText(), QStringLiteral("11.00"));
        QCOMPARE(panel.labels().at(1)->valueText(), QStringLiteral("+10.00%"));
        QCOMPARE(panel.labels().at(2)->valueText(), QStringLiteral("1.23亿"));
        panel.replaceStock(quote(9.0, 10.0));
        // Formats and colours are the label's own, tested with it.
        QCOMPARE(panel.labels().at(1)->valueText(), QStringLiteral("-10.00%"));
    }

    void relayFromParentPanel()
    {
        ZtLayoutBase root(nullptr);
        ZtLayoutBase side(&root);
        ZtMinFinance panel(&side, fields(1));
        root.doResetUpdStock(quote(12.5, 10.0));
        QCOMPARE(panel.labels().at(0)->valueText(), QStringLiteral("12.50"));
    }
};

QTEST_MAIN(tst_ZtMinFinance)
#include "tst_ztminfinance.moc"
