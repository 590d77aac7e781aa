#pragma once

#include "data/PackedRow.h"

#include <QString>

enum class FieldType { Integer, Decimal, Double, Text, FixedText, Date, Time, Timestamp, Memo, Blob, Boolean };

// One column of a dataset: name, type, size, display label and required flag,
// plus where it comes from and whether the provider writes it back.
struct Field {
    QString name;     // as fetched (alias)
    QString origin;   // column of the table it comes from; empty for expressions
    QString relation; // that table
    FieldType type = FieldType::Text;
    int size = 0;  // characters for text
    int scale = 0; // decimals
    QString displayLabel;
    bool required = false;
    bool readOnly = false;
    bool visible = true;
    // Written back by inserts and updates / used to find the row again.
    bool inUpdate = true;
    bool inWhere = true;
    ColumnFormat format;

    QString label() const { return displayLabel.isEmpty() ? name : displayLabel; }
    bool isText() const { return type == FieldType::Text || type == FieldType::FixedText || type == FieldType::Memo; }
};
