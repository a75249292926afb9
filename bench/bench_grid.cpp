// Paint cost of the stock grid against a QTableView showing the same texts and
// colours, on the frame a live terminal paints: the visible rows got new quotes
// since the last paint. Also how that cost depends on the length of the list,
// and the local sort.
//
//   bench_grid [rounds]
#include "benchtiming.h"

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

    // New quotes for rows [first, last]: what a live model tells its view.
    void setQuotes(const DQDDataList* data, int first, int last)
    {
        mData = data;
        emit dataChanged(index(first, 0), index(last, columnCount(QModelIndex()) - 1));
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

}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(10, atoi(argv[1])) : 200;

    // The family the library asks for, mapped to the installed CJK font as the
    // terminal does, on both sides.
    QFont::insertSubstitution(QStringLiteral("微软雅黑"), QStringLiteral("WenQuanYi Micro Hei"));
    const QFont font(QStringLiteral("微软雅黑"), 12);

    std::vector<std::unique_ptr<GridField>> fields;
    for (const Column& c : kColumnSet) {
        DQDField::Field f(QString::fromUtf8(c.title), c.key, QString::fromUtf8(c.rule), QString::fromUtf8(c.format));
        if (c.key == ZtField::Code || c.key == ZtField::Name)
            f.mValueOption.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        fields.push_back(std::make_unique<GridField>(f, 72));
    }

    constexpr int kBigFirst = 2000;
    constexpr int kSmallFirst = 5;
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
    bigGrid->setRowIndex(kBigFirst);
    bigGrid->setFocusRowIndex(kBigFirst + 5, false);
    smallGrid->setRowIndex(kSmallFirst);
    smallGrid->setFocusRowIndex(kSmallFirst + 5, false);
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
    table.setFrameShape(QFrame::NoFrame);
    table.verticalHeader()->hide();
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The header's minimum section size would otherwise clamp the rows to 25 px
    // and the view would paint fewer cells than the grid.
    table.verticalHeader()->setMinimumSectionSize(1);
    table.verticalHeader()->setDefaultSectionSize(bigGrid->rowHeight());
    table.horizontalHeader()->setMinimumSectionSize(1);
    table.horizontalHeader()->setDefaultSectionSize(72);
    table.horizontalHeader()->setFixedHeight(bigGrid->titleHeight());
    table.resize(size);
    table.scrollTo(model.index(kBigFirst, 0), QAbstractItemView::PositionAtTop);
    table.selectRow(kBigFirst + 5);
    const int tableRows = table.rowAt(table.viewport()->height() - 1) - table.rowAt(0) + 1;

    // New quotes before every paint: the visible rows (and one more) get new
    // values, as each read of a live list brings.
    auto freshVariants = [](const DQDDataList& base, int first) {
        std::vector<DQDDataList> variants;
        for (int k = 0; k < 64; ++k) {
            DQDDataList v = base;
            const DQDDataList fresh = makeList(kRows + 1, 100 + unsigned(k));
            for (int i = 0; i <= kRows && first + i < base.count(); ++i) {
                DQDUnionReader r = *fresh.at(i);
                r.setValue(ZtField::Code, base.at(first + i)->getValue(ZtField::Code));
                r.setValue(ZtField::UniqueCode, base.at(first + i)->getUniqueValue(0));
                v.replace(first + i, r);
            }
            variants.push_back(v);
        }
        return variants;
    };
    std::vector<DQDDataList> bigFresh = freshVariants(big, kBigFirst);
    std::vector<DQDDataList> smallFresh = freshVariants(small, kSmallFirst);
    auto pick = [](std::vector<DQDDataList>& v, int i) { return &v[size_t(i) % v.size()]; };

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    const auto samples = bench::interleave(
        rounds, {[&](int i) {
                     bigGrid->setData(pick(bigFresh, i));
                     bigGrid->render(&image);
                 },
                 [&](int i) {
                     model.setQuotes(pick(bigFresh, i), kBigFirst, kBigFirst + kRows);
                     table.render(&image);
                 },
                 [&](int i) {
                     smallGrid->setData(pick(smallFresh, i));
                     smallGrid->render(&image);
                 },
                 [&](int) { bigGrid->render(&image); }, [&](int) { table.render(&image); }});
    const auto& gridFresh = samples[0];
    const auto& viewFresh = samples[1];
    const auto& smallGridFresh = samples[2];
    const auto& gridSame = samples[3];
    const auto& viewSame = samples[4];

    DQDDataList sortData = makeList(5000, 3);
    ZtWidgetStockGrid sorter(&sortData);
    sorter.setUseLocalSort(true);
    const auto sortSamples = bench::interleave(rounds, {[&](int i) {
                                                   sorter.setSortKey(ZtField::ChangeRatio, i % 2 == 0);
                                                   sorter.doLocalSort();
                                               }});

    std::printf("stock grid paint, %d x %d window (QTableView shows %d rows), offscreen raster,\n", kRows, kColumns,
                tableRows);
    std::printf("font %s, thread CPU time of %d interleaved rounds\n",
                qPrintable(QFontInfo(font).family()), rounds);
    bench::printTime("ZtWidgetStockGrid 5000 rows, new quotes", bench::statsOf(gridFresh));
    bench::printTime("QTableView 5000 rows, new quotes", bench::statsOf(viewFresh));
    bench::printTime("ZtWidgetStockGrid 50 rows, new quotes", bench::statsOf(smallGridFresh));
    bench::printTime("ZtWidgetStockGrid 5000 rows, unchanged", bench::statsOf(gridSame));
    bench::printTime("QTableView 5000 rows, unchanged", bench::statsOf(viewSame));
    bench::printTime("local sort of 5000 rows by one field", bench::statsOf(sortSamples[0]));
    bench::printRatio("grid / QTableView, new quotes", bench::ratioOf(gridFresh, viewFresh), "<= 0.25");
    bench::printRatio("grid / QTableView, unchanged", bench::ratioOf(gridSame, viewSame), "(for reference)");
    bench::printRatio("5000 rows / 50 rows, new quotes", bench::ratioOf(gridFresh, smallGridFresh), "<= 1.1");
    return 0;
}
