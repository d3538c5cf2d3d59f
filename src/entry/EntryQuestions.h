#pragma once

#include <QString>
#include <optional>

struct EditableRow;

// The entry window's questions before a row is added or deleted, each naming
// the stored draw it concerns.
QString DeleteQuestion(const EditableRow& draw);
// after: the draw the new row follows, or null when there is none.
QString InsertQuestion(const EditableRow* after);
// Before a number of a complete stored draw changes: "第5回を
// 1,3,4,5,6,7,8／9,10 から 9,3,4,5,6,7,8／9,10 に変えますか？".
QString ChangeQuestion(const EditableRow& draw, int field, std::optional<int> value);
