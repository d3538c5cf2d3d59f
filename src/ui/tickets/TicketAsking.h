#pragma once

#include <functional>
#include <string>
#include <vector>

class QWidget;

// Adds rows of up to seven numbers (from a prediction, a wheel or the
// filters) to the ticket book of the database: asks over `parent` for the
// draw (by default the one after `latestDraw`; once for many rows), lets the
// user complete a row that is not a ticket, stores them all or none and says
// how many; `stored` runs once they are stored, before that message.  False when the user cancelled
// or storing failed (the user was told why).
bool AddTicketsToBook(QWidget* parent, const std::vector<std::vector<int>>& rows, int latestDraw,
                      const std::string& databaseFile, const std::function<void()>& stored);
