#pragma once

#include <QMetaType>
#include <QString>
#include <QTextOption>

namespace DQDField {

// The description of one displayed field: how to title it, which value to read,
// how to colour it and how to turn the value into text.
struct Field
{
    QString mTitle;
    unsigned int mFieldId = 0;
    QString mColorRule;
    QTextOption mTitleOption;
    QTextOption mValueOption;
    QString mFormat;
    bool mFlag = false;
    int mParam1 = 0;
    int mParam2 = 0;

    Field() = default;
    Field(const QString& title, unsigned int fieldId, const QString& colorRule = QString(),
          const QString& format = QString())
        : mTitle(title), mFieldId(fieldId), mColorRule(colorRule),
          mTitleOption(Qt::AlignLeft | Qt::AlignVCenter),
          mValueOption(Qt::AlignRight | Qt::AlignVCenter), mFormat(format)
    {
    }
};

}

Q_DECLARE_METATYPE(DQDField::Field)
