#pragma once

#include <QString>

struct EditableRow;

// The entry window's questions before a row is added or deleted, each naming
// the stored draw it concerns.
QString DeleteQuestion(const EditableRow& draw);
// after: the draw the new row follows, or null when there is none.
QString InsertQuestion(const EditableRow* after);
