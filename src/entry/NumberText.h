#pragma once

#include <QString>
#include <optional>

#include "data/RecordSet.h"

// The text a grid cell shows for a stored value: whole numbers in plain
// decimal, empty values as the empty text.
QString CellText(const FieldValue& value);

// A number typed into a cell, as it may be stored.
struct EnteredNumber {
    bool accepted = false;
    std::optional<int> value;  // empty: the cell was cleared (an incomplete draw)
};

// Accepts the empty text and whole numbers 1 … 37 written with digits only
// (full-width digits too); refuses everything else, such as "0", "38" or "1.5".
EnteredNumber ParseEnteredNumber(const QString& text);

// The close check's rule for one cell: a text that is not empty is wrong when
// it holds a ".", or its number is below 1 or above 37, or it is no number.
bool IsWrongForClose(const QString& text);
