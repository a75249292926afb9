#include "terminalstyle.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QPalette>

namespace TerminalStyle {

namespace {

// The library asks for "微软雅黑"; map it to whichever CJK font this machine has.
void mapFonts()
{
    const QStringList candidates = {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                                    QStringLiteral("Source Han Sans SC"), QStringLiteral("Droid Sans Fallback")};
    const QStringList families = QFontDatabase().families();
    for (const QString& f : candidates) {
        if (families.contains(f)) {
            QFont::insertSubstitution(QStringLiteral("微软雅黑"), f);
            break;
        }
    }
    QApplication::setFont(QFont(QStringLiteral("微软雅黑"), 9));
}

// Widgets under a style sheet take no palette from their parent, only the
// application's, so the dark colours are set here for every widget at once.
QPalette darkPalette()
{
    const QColor window(QStringLiteral("#1B1B20"));
    const QColor text(QStringLiteral("#E6E6E6"));
    QPalette pal(QColor(QStringLiteral("#2E2E37")), window);
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::ButtonText, text);
    pal.setColor(QPalette::BrightText, Qt::white);
    pal.setColor(QPalette::Base, QColor(QStringLiteral("#121216")));
    pal.setColor(QPalette::AlternateBase, QColor(QStringLiteral("#1A1A20")));
    pal.setColor(QPalette::Highlight, QColor(QStringLiteral("#1E3A6E")));
    pal.setColor(QPalette::HighlightedText, Qt::white);
    pal.setColor(QPalette::ToolTipBase, QColor(QStringLiteral("#2A2A32")));
    pal.setColor(QPalette::ToolTipText, text);
    pal.setColor(QPalette::PlaceholderText, QColor(QStringLiteral("#8C8C96")));
    pal.setColor(QPalette::Link, QColor(QStringLiteral("#6CA6FF")));
    pal.setColor(QPalette::LinkVisited, QColor(QStringLiteral("#B48CFF")));
    const QColor disabled(QStringLiteral("#80808A"));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        pal.setColor(QPalette::Disabled, role, disabled);
    return pal;
}

QString styleSheet()
{
    QFile file(QStringLiteral(":/terminal/terminal.qss"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}

void apply()
{
    mapFonts();
    QApplication::setPalette(darkPalette());
    qApp->setStyleSheet(styleSheet());
}

}
