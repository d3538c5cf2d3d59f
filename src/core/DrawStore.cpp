#include "core/DrawStore.h"

std::optional<int> DrawStore::Field(std::string_view name) const {
    if (EndOfFile()) return std::nullopt;
    const DrawRecord& row = Current();
    if (name == kDrawNumberField) return row.drawNumber;
    for (int i = 0; i < kFieldCount; ++i) {
        if (name == kNumberFields[i]) {
            if (!row.Has(i)) return std::nullopt;
            return row.numbers[i];
        }
    }
    return std::nullopt;
}
