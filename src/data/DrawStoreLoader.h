#pragma once

#include <future>
#include <optional>
#include <string>

#include "core/GlobalBas.h"
#include "data/RecordSet.h"

// One stored value as a 16-bit integer: whole numbers (also as text or as a
// real without a fraction) convert; empty values and the empty text convert
// to no value; anything else does not convert.
struct StoredInt16 {
    bool converts = true;
    std::optional<std::int16_t> value;
};
StoredInt16 ConvertToInt16(const FieldValue& value);

// Reads every row of the stored query into a snapshot.  Throws UserError
// naming the file and the draw when a value does not convert.
DrawStore ReadDrawStore(const Database& db);

// The start-up load: records the database file and its connection text in g,
// opens the file read-only (it is never written), takes the snapshot and
// derives the statistics.  Throws UserError with a message for the user.
void OpenDrawStore(GlobalBas& g, const std::string& databasePath);

// The start-up load on a thread of its own, so that reading the database
// (its key derivation above all) overlaps with building the windows.  The
// result, or the UserError, comes out of get(); where no thread can be
// started, get() loads it then.
std::future<GlobalBas> OpenDrawStoreAhead(const std::string& databasePath);
