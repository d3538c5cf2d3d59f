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
    bool showHelp = false;       // --help or -h
    std::string format = "json";
    bool openAll = false;                     // --open-all
    std::vector<std::string> openWindows;     // --open WINDOW (repeatable)
    bool quitWhenReady = false;               // --quit-when-ready
    bool replace = false;                     // import --replace
    std::optional<std::string> backtestFrom;  // backtest / randomness --from N, as typed
    std::optional<std::string> backtestTo;    // backtest / randomness --to M, as typed
    std::optional<std::string> simulations;   // randomness --simulations K, as typed
    std::optional<std::string> seed;          // randomness, filter, wheel --seed S, as typed
    std::string out;                          // export --out FILE
    std::optional<std::string> draw;          // tickets --draw N[-M], as typed
    std::optional<std::string> units;         // tickets add --units K
    std::optional<std::string> memo;          // tickets add --memo TEXT
    // filter's conditions, as given (name, value; flags with an empty value)
    std::vector<std::pair<std::string, std::string>> filterOptions;
    // wheel: each as typed, checked by the command (--seed is seed above).
    std::optional<std::string> wheelNumbers;    // --numbers 1,5,9,…
    std::optional<std::string> wheelKeys;       // --keys 5
    std::optional<std::string> wheelGuarantee;  // --guarantee T/M
    std::optional<std::string> wheelSeconds;    // --seconds S
    std::optional<std::string> wheelVerify;     // --verify FILE
    std::vector<std::string> words;             // the command and its arguments
};

// Parses the arguments after the program name.  Throws UserError for an
// unknown option, one missing its value, an empty --db, or --data-folder
// with a command.
StartOptions ParseArguments(const std::vector<std::string>& args,
                            const std::string& defaultDatabasePath);

// True when the words name a command that runs without windows, or for
// --version and --help.
bool IsHeadlessCommand(const StartOptions& options);

// True for a command that draws (export to an image or a PDF file): it runs
// under a QGuiApplication, on the offscreen platform where there is no
// display.
bool CommandDraws(const StartOptions& options);

// Exit status of an import that kept stored draws the file contradicts.
inline constexpr int kStatusConflicts = 3;

// Runs import, dump, export, backtest, randomness, filter, wheel, list, tickets
// or check, or prints the version or the usage text (on out); returns the exit
// status (0 done, 1 an error, 2 a usage error, 3 see kStatusConflicts).
// Messages go to err; nothing thrown escapes.
int RunHeadlessCommand(const StartOptions& options, std::ostream& out, std::ostream& err);
