#pragma once

#include <QString>

// Rewrites the tables of a text (a heading row whose cells name the draw
// column and the number columns, then rows split the same way, by tabs or
// else commas) as labelled lines the result reader reads like any page:
// "第707回 2026/12/04 本数字 1 5 12 … ボーナス数字 8 21", then a line per
// prize tier "1等 2口 700,000,000円".  A heading cell left empty (a merged
// heading) belongs to the number column before it; columns of other names
// are dropped.  Every other line is kept as it is.
QString TablesAsLabelledText(const QString& text);
