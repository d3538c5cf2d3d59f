#pragma once

#include <QDate>
#include <map>
#include <vector>

#include "data/Database.h"

// A stored draw date as the program and the files it imports write it
// ("2026-08-07", "2026/08/07", "2026/8/7", "2026年8月7日"); invalid otherwise.
QDate ReadStoredDate(const char* text);

// The readable date of every draw that has one; nothing when the file's
// draw table has no date column (a file made elsewhere).
std::map<int, QDate> ReadDrawDates(const Database& db);

// The year of each draw number 0 … highest: its own date's year, or, for a
// draw without one, the year the weekly spacing from the nearest dated draw
// gives; 0 where no draw has a date.
std::vector<int> DrawYears(const std::map<int, QDate>& dates, int highest);
