#include "entry/EditHistory.h"

#include <algorithm>

void EditHistory::Record(const NumberChange& change) {
    undo_.push_back(change);
    redo_.clear();
}

void EditHistory::Undone() {
    if (undo_.empty()) return;
    redo_.push_back(undo_.back());
    undo_.pop_back();
}

void EditHistory::Redone() {
    if (redo_.empty()) return;
    undo_.push_back(redo_.back());
    redo_.pop_back();
}

void EditHistory::Forget(const FieldValue& draw) {
    for (auto* list : {&undo_, &redo_}) {
        std::erase_if(*list, [&](const NumberChange& c) { return c.draw == draw; });
    }
}
