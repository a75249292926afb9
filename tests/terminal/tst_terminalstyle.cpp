#include "settingsdialog.h"
#include "terminaldialog.h"
#include "terminalfixture.h"
#include "terminalhost.h"
#include "terminalstyle.h"
#include "terminalwindow.h"

#include <ztlib/pbdatachange.h>
#include <ztlib/simulatedmarket.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

// WCAG relative luminance of an sRGB colour.
double luminance(QRgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The painted text against its background: the most frequent colour is the background,
// the pixel that stands out most from it is the core of a glyph.
double textContrast(const QImage& image, QRgb* background = nullptr, QRgb* text = nullptr)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    }
    QRgb bg = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            bg = it.key();
        }
    }
    double best = 1.0;
    QRgb fg = bg;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double c = contrast(bg, it.key());
        if (c > best) {
            best = c;
            fg = it.key();
        }
    }
    if (background)
        *background = bg;
    if (text)
        *text = fg;
    return best;
}

// Where a widget paints its text, in its own coordinates; empty when it shows none.
QRect textArea(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text().trimmed().isEmpty() ? QRect() : label->contentsRect();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text().isEmpty() && edit->placeholderText().isEmpty())
            return QRect();
        QStyleOptionFrame option;
        option.initFrom(edit);
        return edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    }
    if (auto* box = qobject_cast<QGroupBox*>(w)) {
        if (box->title().isEmpty())
            return QRect();
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (button->text().isEmpty())
            return QRect();
        // The check mark is no text.
        if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            return button->style()->subElementRect(
                qobject_cast<QCheckBox*>(w) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option,
                button);
        }
        return button->rect().adjusted(2, 2, -2, -2);
    }
    return QRect();
}

// Where a list or a header paints the text of each of its first cells, in its own
// coordinates: each cell may have its own background.
QList<QRect> cellAreas(QWidget* w)
{
    QList<QRect> areas;
    if (auto* header = qobject_cast<QHeaderView*>(w)) {
        for (int i = 0; i < header->count(); ++i) {
            if (header->isSectionHidden(i)
                || header->model()->headerData(i, header->orientation()).toString().isEmpty())
                continue;
            const int at = header->sectionViewportPosition(i);
            const QRect r = header->orientation() == Qt::Horizontal
                                ? QRect(at, 0, header->sectionSize(i), header->viewport()->height())
                                : QRect(0, at, header->viewport()->width(), header->sectionSize(i));
            areas << r.translated(header->viewport()->pos()).adjusted(1, 1, -1, -1);
        }
        return areas;
    }
    auto* view = qobject_cast<QAbstractItemView*>(w);
    if (!view || !view->model())
        return areas;
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < std::min(model->rowCount(view->rootIndex()), 6); ++row) {
        for (int column = 0; column < model->columnCount(view->rootIndex()); ++column) {
            const QModelIndex index = model->index(row, column, view->rootIndex());
            if (index.data().toString().isEmpty())
                continue;
            areas << view->visualRect(index).translated(view->viewport()->pos());
        }
    }
    return areas;
}

QString describe(QWidget* w)
{
    QString text;
    if (auto* label = qobject_cast<QLabel*>(w))
        text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        text = button->text();
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
        text = edit->text().isEmpty() ? edit->placeholderText() : edit->text();
    else if (auto* box = qobject_cast<QGroupBox*>(w))
        text = box->title();
    return QStringLiteral("%1 %2 \"%3\"").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(),
                                             text.left(24));
}

// Every visible text of a window whose painted contrast is below 3:1.
QStringList unreadable(QWidget* window)
{
    QCoreApplication::processEvents();
    const QImage shot = window->grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    QStringList bad;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible())
            continue;
        // A list is covered by its viewport, which paints the cells.
        auto* view = qobject_cast<QAbstractItemView*>(w);
        const QRect shown = view ? view->viewport()->visibleRegion().boundingRect().translated(view->viewport()->pos())
                                 : w->visibleRegion().boundingRect();
        const QList<QRect> areas = view ? cellAreas(w) : QList<QRect>{textArea(w)};
        for (QRect area : areas) {
            area = area.intersected(shown);
            if (area.width() < 4 || area.height() < 4)
                continue;
            area.moveTopLeft(w->mapTo(window, area.topLeft()));
            const QRect pixels(area.topLeft() * ratio, area.size() * ratio);
            QRgb bg = 0;
            QRgb fg = 0;
            const double c = textContrast(shot.copy(pixels), &bg, &fg);
            if (c < 3.0) {
                bad << QStringLiteral("%1: %2 on %3, %4:1")
                           .arg(describe(w), QColor(fg).name(), QColor(bg).name())
                           .arg(c, 0, 'f', 2);
            }
        }
    }
    return bad;
}

}

// Every demo page and dialog in the terminal's own style: each text it shows stands out
// from what it is painted on.
class tst_TerminalStyle : public QObject
{
    Q_OBJECT

private:

    // Measures the dialog that the action opens, then closes it with Escape.
    static QStringList unreadableDialog(const std::function<void()>& open)
    {
        QStringList bad{QStringLiteral("no dialog opened")};
        QTimer::singleShot(0, [&bad] {
            ZtFormMainBase* dialog = TerminalFixture::openDialog();
            if (!dialog)
                return;
            bad = unreadable(dialog);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        open();
        return bad;
    }

    TerminalFixture mT;

private slots:
    void initTestCase()
    {
        TerminalStyle::apply();
        QVERIFY(mT.start());
    }

    void cleanupTestCase()
    {
        mT.stop();
    }

    void pageTextStandsOut_data()
    {
        QTest::addColumn<QString>("page");
        for (const TerminalPage& p : TerminalPage::all())
            QTest::newRow(qPrintable(p.name)) << p.name;
    }

    void pageTextStandsOut()
    {
        QFETCH(QString, page);
        QVERIFY(mT.window->showPage(page));
        const QStringList bad = unreadable(mT.window.get());
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join(QStringLiteral("\n"))));
    }

    void dialogTextStandsOut_data()
    {
        QTest::addColumn<QString>("which");
        QTest::newRow("gallery dialog") << "frame";
        QTest::newRow("note dialog") << "note";
        QTest::newRow("settings dialog") << "settings";
    }

    void dialogTextStandsOut()
    {
        QFETCH(QString, which);
        QStringList bad;
        if (which == QLatin1String("frame")) {
            QVERIFY(mT.window->showPage(QStringLiteral("frame")));
            QPushButton* open = nullptr;
            for (QPushButton* b : mT.window->currentPage()->findChildren<QPushButton*>()) {
                if (b->text() == QStringLiteral("打开对话框"))
                    open = b;
            }
            QVERIFY(open);
            bad = unreadableDialog([open] { open->click(); });
        } else if (which == QLatin1String("settings")) {
            bad = unreadableDialog([this] { SettingsDialog::open(mT.window.get()); });
        } else {
            QString text = QStringLiteral("旧备注");
            bad = unreadableDialog([this, &text] {
                TerminalDialog::askText(mT.window.get(), QStringLiteral("添加备注/标签"), QStringLiteral("备注："), &text);
            });
        }
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join(QStringLiteral("\n"))));
    }
};

QTEST_MAIN(tst_TerminalStyle)
#include "tst_terminalstyle.moc"
