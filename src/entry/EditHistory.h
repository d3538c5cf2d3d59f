#pragma once

#include <optional>
#include <vector>

#include "data/RecordSet.h"

// One stored change of a number field: the draw (by its number, which stays
// while rows move), the field (0 … 8) and the values before and after.
struct NumberChange {
    FieldValue draw;
    int field = 0;
    std::optional<int> before;
    std::optional<int> after;
};

// The stored changes of one opening of the entry window, for undo and redo.
// A new change clears what could be redone; a deleted draw's changes go.
class EditHistory {
  public:
    void Record(const NumberChange& change);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // The change to undo or redo next, or null.
    const NumberChange* NextUndo() const { return undo_.empty() ? nullptr : &undo_.back(); }
    const NumberChange* NextRedo() const { return redo_.empty() ? nullptr : &redo_.back(); }
    // Moves the next change to the other list once it has been written back.
    void Undone();
    void Redone();
    void Forget(const FieldValue& draw);

  private:
    std::vector<NumberChange> undo_;
    std::vector<NumberChange> redo_;
};
