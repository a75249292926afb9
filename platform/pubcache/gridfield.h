#pragma once

#include <ztlib/dqdfield.h>

#include <QString>

// One grid column: the field description and the column width in pixels.
// Column lists of PubConfig hand out pointers that live as long as the process.
class GridField
{
public:
    GridField() = default;
    GridField(const DQDField::Field& field, int width) : mField(field), mWidth(width) {}

    const DQDField::Field& getField() const { return mField; }
    DQDField::Field& field() { return mField; }
    unsigned int getFieldId() const { return mField.mFieldId; }
    QString getTitle() const { return mField.mTitle; }
    int getWidth() const { return mWidth; }
    void setWidth(int width) { mWidth = width; }

    DQDField::Field mField;
    int mWidth = 0;
};
