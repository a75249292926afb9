#pragma once

#include <QWidget>

class QTabWidget;

// The host window: the pages of the terminal under one tab bar.
class TerminalWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TerminalWindow(QWidget* parent = nullptr);

    // False when no page has that name.
    bool showPage(const QString& name);

private:
    QTabWidget* mTabs = nullptr;
    QStringList mNames;
};
