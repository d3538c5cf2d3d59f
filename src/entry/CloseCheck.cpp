#include "entry/CloseCheck.h"

#include "entry/DrawEntryModel.h"
#include "entry/EntryColumns.h"
#include "entry/NumberText.h"

QModelIndex FirstWrongCell(const DrawEntryModel& model) {
    const int rows = model.rowCount();
    for (int r = 0; r < rows; ++r) {
        for (int c = 1; c < kEntryColumnCount; ++c) {
            if (IsWrongForClose(model.CellText(r, c))) return model.index(r, c);
        }
    }
    return {};
}
