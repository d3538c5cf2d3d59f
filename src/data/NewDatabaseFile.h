#pragma once

#include <functional>
#include <string>

#include "data/Database.h"

// Makes a new database file at path all at once: fill writes schema and rows
// into a temporary file in the same folder, which is then renamed into place
// without replacing anything.  A killed process therefore never leaves a
// half-made file at path, and two programs creating it at the same time do
// not trip over each other.  Returns false, leaving path untouched, when a
// file appeared at path meanwhile; throws UserError (removing the temporary
// file) when the file cannot be made.
bool CreateDatabaseFile(const std::string& path, const std::function<void(const Database&)>& fill);

// Removes what creations of the database at path that were killed left in
// its folder: temporary files of this program (".NAME.new-XXXXXX" and their
// journals), of this user, that no running process holds.  Nothing else is
// touched.  CreateDatabaseFile does this first.
void RemoveAbandonedTemporaryFiles(const std::string& path);

// The call that moves the finished file into place; tests replace it to
// show what a failure at that moment leaves behind.
using RenameFunction = int (*)(const char* from, const char* to);
void SetRenameFunctionForTesting(RenameFunction rename);
