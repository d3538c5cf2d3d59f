#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// `loto7kazoria filter`: counts over all combinations, the share of past
// draws each filter keeps, and tickets drawn from the passing combinations.

// True for an option of the filter command; takesValue tells whether it is
// followed by a value.
bool IsFilterOption(const std::string& option, bool& takesValue);

// Runs the command with the options as given (name, value); prints JSON or
// CSV on out.  Returns 0, 1 for an error, 2 for a usage error (message on err).
int RunFilterCommand(const std::vector<std::pair<std::string, std::string>>& options,
                     const std::string& databasePath, const std::string& format, std::ostream& out,
                     std::ostream& err);
