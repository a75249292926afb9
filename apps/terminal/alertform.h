#pragma once

#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The small form that adds a price alert: field, ≥ or ≤, value, and what the alert does
// when it fires (pop-up, sound, automatic close). With a code input it serves any
// stock; without one it adds alerts for the stock last given to setStock().
class AlertForm : public QWidget
{
    Q_OBJECT
public:
    AlertForm(bool codeInput, QWidget* parent);

    void setStock(const QString& code);
    QString stock() const;
    void focusValue();
    // Stores the condition; false, with the reason under the form, when the input is unusable.
    bool addAlert();

signals:
    void alertAdded(const QString& code);

private:
    QLineEdit* mCode = nullptr;
    QLabel* mStock = nullptr;
    QString mStockCode;
    QComboBox* mField = nullptr;
    QComboBox* mOp = nullptr;
    QLineEdit* mValue = nullptr;
    QCheckBox* mPopUp = nullptr;
    QCheckBox* mVoice = nullptr;
    QCheckBox* mAutoClose = nullptr;
    QLabel* mNote = nullptr;
};
