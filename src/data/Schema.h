#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "core/DrawRecord.h"
#include "data/Database.h"

// The stored query every reader and the entry window use.
inline constexpr const char* kSnapshotStatement = "select * from 全データ選択クエリ order by 回数";

// Creates the draw table and the updatable stored query when missing.
void EnsureSchema(const Database& db);

// True when the stored query exists in the database.
bool HasSchema(const Database& db);
// Throws DatabaseError naming the file unless the stored query exists.
void RequireSchema(const Database& db);

// Where the query's ten fields stand among a statement's result columns.
struct DrawFieldColumns {
    int drawNumber = -1;
    std::array<int, kFieldCount> numbers{};
};
// Finds the ten fields through columnOf (a name's column, or -1); a field
// the query lacks throws DatabaseError naming the file and the field.
DrawFieldColumns LocateDrawFields(const Database& db,
                                  const std::function<int(std::string_view)>& columnOf);
