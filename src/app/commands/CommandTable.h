#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/commands/CommandArgs.h"

// Exit statuses, for every command: 0 done, 1 an error (message on stderr),
// 2 a usage error, 3 an import that kept stored draws the file contradicts.
inline constexpr int kStatusDone = 0;
inline constexpr int kStatusError = 1;
inline constexpr int kStatusUsage = 2;
inline constexpr int kStatusConflicts = 3;

// An option the command line knows.  An option some command owns is refused
// when the command line is read, with any other command; every other option
// a command does not declare is refused when the command runs.
struct OptionInfo {
    std::string_view name{};
    bool takesValue = true;
    std::string_view ownedBy{};  // the command, when the option is that command's own
    bool repeats = false;        // may be given more than once (its values add up)
};

// The option of that name the command line knows, or null.
const OptionInfo* FindOption(std::string_view name);

using CommandRunner = int (*)(const CommandArgs& args, std::ostream& out, std::ostream& err);

// The usage texts a command is described by: the whole usage, or (for the
// ticket book's commands) only the lines of their group.
enum class UsageGroup { All, Tickets };

// One command: its words, its lines of the usage text and of the manual
// page's synopsis, the options it takes, and what it checks before its
// runner runs: its word count, --format, an option it needs.  A failed check
// prints one sentence saying why (its own, or one made from the words or the
// option), and exits with 2.
struct CommandInfo {
    std::string_view name{};      // "backtest", "tickets add"; empty for the windowed program
    std::string_view usage{};     // its lines of the usage text
    std::string_view synopsis{};  // its lines of the manual page's synopsis (roff)
    std::vector<std::string_view> options{};
    CommandRunner run = nullptr;  // none: described only
    UsageGroup group = UsageGroup::All;
    int words = -1;  // the words it takes, its name included; -1: any
    std::string_view wordsReason{};
    bool formats = false;  // takes --format json|csv
    std::string_view formatReason{};
    std::string_view required{};  // an option it cannot run without
    std::string_view requiredReason{};
};

// Every command, in the order the usage text and the manual page list them.
const std::vector<CommandInfo>& CommandTable();

// The command the words name (the longest name that matches), or null.
const CommandInfo* FindCommand(const std::vector<std::string>& words);

// The whole usage text, as --help prints it.
std::string UsageText();
// The usage text a usage error of the command ends with.
std::string UsageTextOf(const CommandInfo& command);
// The manual page's synopsis, in roff.
std::string SynopsisRoff();

// Runs the command: its checks, then its runner.  A UsageError prints its
// message and the command's usage (status 2), any other failure its message
// (status 1); nothing thrown escapes.
int RunCommand(const CommandInfo& command, const CommandArgs& args, std::ostream& out,
               std::ostream& err);
