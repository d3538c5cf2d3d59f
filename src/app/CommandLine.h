#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Options shared by every way the program is started.
struct StartOptions {
    std::string databasePath;    // --db FILE, or the default database
    bool databaseGiven = false;  // --db was given
    bool dataFolder = false;     // --data-folder
    bool showVersion = false;    // --version
    std::string format = "json";
    bool openAll = false;                     // --open-all
    std::vector<std::string> openWindows;     // --open WINDOW (repeatable)
    bool quitWhenReady = false;               // --quit-when-ready
    bool replace = false;                     // import --replace
    std::optional<std::string> backtestFrom;  // backtest --from N, as typed
    std::optional<std::string> backtestTo;    // backtest --to M, as typed
    std::string out;                          // export --out FILE
    // filter's conditions, as given (name, value; flags with an empty value)
    std::vector<std::pair<std::string, std::string>> filterOptions;
    std::vector<std::string> words;  // the command and its arguments
};

// Parses the arguments after the program name.  Throws UserError for an
// unknown option, one missing its value, an empty --db, or --data-folder
// with a command.
StartOptions ParseArguments(const std::vector<std::string>& args,
                            const std::string& defaultDatabasePath);

// True when the words name a command that runs without windows, or for
// --version.
bool IsHeadlessCommand(const StartOptions& options);

// True for a command that draws (export to an image or a PDF file): it runs
// under a QGuiApplication, on the offscreen platform where there is no
// display.
bool CommandDraws(const StartOptions& options);

// Exit status of an import that kept stored draws the file contradicts.
inline constexpr int kStatusConflicts = 3;

// Runs import, dump, export, backtest, filter or list, or prints the version; returns the exit
// status (0 done, 1 an error, 2 a usage error, 3 see kStatusConflicts).  Messages
// go to err; nothing
// thrown escapes.
int RunHeadlessCommand(const StartOptions& options, std::ostream& out, std::ostream& err);
