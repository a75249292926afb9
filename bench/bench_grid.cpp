// Paint cost of the stock grid against a QTableView showing the same texts and
// colours, how that cost depends on the length of the list, and the local sort.
#include <ztwidgetlib/ztwidgetstockgrid.h>

#include <format/markup/valuecolour.h>
#include <format/markup/valueformat.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QBrush>
#include <QHeaderView>
#include <QImage>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <time.h>
#include <vector>

namespace {

constexpr int kRows = 40;
constexpr int kColumns = 15;

struct Column
{
    const char* title;
    unsigned int key;
    const char* rule;
    const char* format;
};

const Column kColumnSet[kColumns] = {
    {"代码", ZtField::Code, "", "!p"},
    {"名称", ZtField::Name, "sys:Name", "!p"},
    {"最新", ZtField::Last, "bos:12010", "d2"},
    {"涨跌", ZtField::Change, "case:0", "fd2"},
    {"涨幅", ZtField::ChangeRatio, "case:0", "{if#>=0;fd2[ls:%]}{if#<0;d2[ls:%]}"},
    {"总手", ZtField::Volume, "sys:vol", "100d2w"},
    {"金额", ZtField::Turnover, "sys:default", "d2w"},
    {"今开", ZtField::Open, "bos:12010", "d2"},
    {"最高", ZtField::High, "bos:12010", "d2"},
    {"最低", ZtField::Low, "bos:12010", "d2"},
    {"昨收", ZtField::PrevClose, "sys:flat", "d2"},
    {"振幅", ZtField::Amplitude, "sys:default", "d2[ls:%]"},
    {"换手", ZtField::TurnoverRate, "sys:default", "d2[ls:%]"},
    {"量比", ZtField::VolumeRatio, "case:1", "d2"},
    {"市盈率", ZtField::PE, "sys:default", "d2"},
};

DQDDataList makeList(int rows, unsigned seed = 7)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> pct(-10.0, 10.0);
    std::uniform_real_distribution<double> price(2.0, 200.0);
    DQDDataList list;
    list.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        DQDUnionReader r;
        const QString code = QString::number(600000 + i);
        const double prev = price(rng);
        const double ratio = pct(rng);
        const double last = prev * (1 + ratio / 100);
        r.setValue(ZtField::Market, QStringLiteral("SH"));
        r.setValue(ZtField::Code, code);
        r.setValue(ZtField::UniqueCode, QStringLiteral("SH") + code);
        r.setValue(ZtField::Name, QStringLiteral("浦发银行"));
        r.setValue(ZtField::Type, int(ZtE_ZQLX_AShare));
        r.setValue(ZtField::PrevClose, prev);
        r.setValue(ZtField::Open, prev * (1 + pct(rng) / 300));
        r.setValue(ZtField::High, std::max(prev, last) * 1.01);
        r.setValue(ZtField::Low, std::min(prev, last) * 0.99);
        r.setValue(ZtField::Last, last);
        r.setValue(ZtField::Change, last - prev);
        r.setValue(ZtField::ChangeRatio, ratio);
        r.setValue(ZtField::Volume, double(rng() % 50000000));
        r.setValue(ZtField::Turnover, double(rng() % 900000000) * 10);
        r.setValue(ZtField::Amplitude, std::abs(pct(rng)));
        r.setValue(ZtField::TurnoverRate, std::abs(pct(rng)) / 2);
        r.setValue(ZtField::VolumeRatio, std::abs(pct(rng)) / 3);
        r.setValue(ZtField::PE, price(rng) / 3);
        list.append(r);
    }
    return list;
}

// The baseline: a model that gives a QTableView the same texts, colours and alignments.
class Model : public QAbstractTableModel
{
public:
    Model(const DQDDataList* data, const std::vector<std::unique_ptr<GridField>>* fields)
        : mData(data), mFields(fields)
    {
    }

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : mData->count(); }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : int(mFields->size()); }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const DQDUnionReader* row = mData->at(index.row());
        const DQDField::Field& f = mFields->at(size_t(index.column()))->getField();
        switch (role) {
        case Qt::DisplayRole:
            return formatValue(row->getValue(f.mFieldId), f.mFormat);
        case Qt::ForegroundRole: {
            const QColor c = valueColour(row->getValue(f.mFieldId), row, f.mColorRule);
            return QBrush(c.isValid() ? c : QColor(0xe6, 0xe6, 0xe6));
        }
        case Qt::TextAlignmentRole:
            return int(f.mValueOption.alignment() | Qt::AlignVCenter);
        default:
            return QVariant();
        }
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal && role == Qt::DisplayRole)
            return mFields->at(size_t(section))->getField().mTitle;
        return QVariant();
    }

private:
    const DQDDataList* mData;
    const std::vector<std::unique_ptr<GridField>>* mFields;
};

double medianOf(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// CPU time of this thread: the build machine is shared, wall time would
// measure the other processes as well.
double cpuMicroseconds()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e6 + double(ts.tv_nsec) / 1e3;
}

template <typename F>
double medianUs(int rounds, F&& f)
{
    std::vector<double> t;
    t.reserve(size_t(rounds));
    for (int i = 0; i < 10; ++i)
        f(i);
    for (int i = 0; i < rounds; ++i) {
        const double start = cpuMicroseconds();
        f(i);
        t.push_back(cpuMicroseconds() - start);
    }
    return medianOf(t);
}

}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(10, atoi(argv[1])) : 200;

    std::vector<std::unique_ptr<GridField>> fields;
    for (const Column& c : kColumnSet) {
        DQDField::Field f(QString::fromUtf8(c.title), c.key, QString::fromUtf8(c.rule), QString::fromUtf8(c.format));
        if (c.key == ZtField::Code || c.key == ZtField::Name)
            f.mValueOption.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        fields.push_back(std::make_unique<GridField>(f, 72));
    }
    const QFont font(QStringLiteral("微软雅黑"), 12);

    DQDDataList big = makeList(5000);
    DQDDataList small = makeList(50);
    auto makeGrid = [&](DQDDataList* data) {
        auto grid = std::make_unique<ZtWidgetStockGrid>(data);
        grid->setFont(font);
        grid->setTopBottomPadding(1);
        grid->clearColumn();
        for (auto& f : fields)
            grid->appendColumn(f.get());
        grid->resetColumn();
        grid->setData(data);
        grid->resize(72 * kColumns, grid->titleHeight() + grid->rowHeight() * kRows);
        return grid;
    };
    auto bigGrid = makeGrid(&big);
    auto smallGrid = makeGrid(&small);
    bigGrid->setRowIndex(2000);
    bigGrid->setFocusRowIndex(2005, false);
    smallGrid->setFocusRowIndex(5, false);
    const QSize size = bigGrid->size();

    Model model(&big, &fields);
    QTableView table;
    table.setModel(&model);
    table.setFont(font);
    table.setAlternatingRowColors(true);
    table.setShowGrid(false);
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table.verticalHeader()->hide();
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table.verticalHeader()->setDefaultSectionSize(bigGrid->rowHeight());
    table.horizontalHeader()->setDefaultSectionSize(72);
    table.horizontalHeader()->setFixedHeight(bigGrid->titleHeight());
    table.resize(size);
    table.scrollTo(model.index(2000, 0), QAbstractItemView::PositionAtTop);
    table.selectRow(2005);

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    const double gridBig = medianUs(rounds, [&](int) { bigGrid->render(&image); });
    const double gridSmall = medianUs(rounds, [&](int) { smallGrid->render(&image); });
    const double view = medianUs(rounds, [&](int) { table.render(&image); });
    // New quotes before every paint: the visible rows get new values each time.
    std::vector<DQDDataList> variants;
    for (int k = 0; k < 64; ++k) {
        DQDDataList v = big;
        const DQDDataList fresh = makeList(kRows + 1, 100 + unsigned(k));
        for (int i = 0; i <= kRows; ++i) {
            DQDUnionReader r = *fresh.at(i);
            r.setValue(ZtField::Code, big.at(2000 + i)->getValue(ZtField::Code));
            r.setValue(ZtField::UniqueCode, big.at(2000 + i)->getUniqueValue(0));
            v.replace(2000 + i, r);
        }
        variants.push_back(v);
    }
    const double gridFresh = medianUs(rounds, [&](int i) {
        bigGrid->setData(&variants[size_t(i) % variants.size()]);
        bigGrid->render(&image);
    });
    bigGrid->setData(&big);

    DQDDataList sortData = makeList(5000, 3);
    ZtWidgetStockGrid sorter(&sortData);
    sorter.setUseLocalSort(true);
    const double sortUs = medianUs(rounds, [&](int i) {
        sorter.setSortKey(ZtField::ChangeRatio, i % 2 == 0);
        sorter.doLocalSort();
    });

    std::printf("stock grid paint, %d x %d window, offscreen raster, median CPU time of %d\n", kRows, kColumns, rounds);
    std::printf("  ZtWidgetStockGrid, 5000-row query: %8.1f us\n", gridBig);
    std::printf("  ZtWidgetStockGrid,   50-row query: %8.1f us\n", gridSmall);
    std::printf("  QTableView + model,  5000 rows:    %8.1f us\n", view);
    std::printf("  ZtWidgetStockGrid, new quotes each paint: %8.1f us\n", gridFresh);
    std::printf("local sort of 5000 rows by one numeric field: %.3f ms (goal <= 2 ms)\n", sortUs / 1000.0);
    std::printf("ratio grid / QTableView: %.3f (goal <= 0.333)\n", gridBig / view);
    std::printf("ratio 5000 rows / 50 rows: %.3f (goal <= 1.2)\n", gridBig / gridSmall);
    return 0;
}
