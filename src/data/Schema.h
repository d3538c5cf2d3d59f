#pragma once

#include "data/Database.h"

// The stored query every reader and the entry window use.
inline constexpr const char* kSnapshotStatement = "select * from 全データ選択クエリ order by 回数";

// Creates the draw table and the updatable stored query when missing.
void EnsureSchema(const Database& db);

// True when the stored query exists in the database.
bool HasSchema(const Database& db);
