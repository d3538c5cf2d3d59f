#pragma once

#include <future>
#include <optional>
#include <string>

#include "core/GlobalBas.h"
#include "data/RecordSet.h"

// Converts one stored value to a 16-bit integer.  Empty values and the empty
// text give an empty result; whole numbers (also as text or as a real without
// a fraction) convert; anything else sets ok to false.
std::optional<std::int16_t> ConvertToInt16(const FieldValue& value, bool& ok);

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
