#pragma once

#include <QString>
#include <optional>

struct EditableRow;

// The entry window's questions before a row is added or deleted, each naming
// the stored draw it concerns.
QString DeleteQuestion(const EditableRow& draw);
// A new row is numbered after every stored draw and shown last, whichever
// row is active: "…よろしいですか？\n（第690回として最後に追加します）".
// last: the last stored draw, or null when there is none.
QString InsertQuestion(const EditableRow* last);
// 行追加 while the last row is still empty: it is the one to fill in.
QString EmptyLastRowNotice(const EditableRow& last);
// Before a number of a complete stored draw changes: "第5回を
// 1,3,4,5,6,7,8／9,10 から 9,3,4,5,6,7,8／9,10 に変えますか？".
QString ChangeQuestion(const EditableRow& draw, int field, std::optional<int> value);
