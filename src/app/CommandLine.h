#pragma once

#include <optional>
#include <ostream>
#include <string>
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
    // wheel: each as typed, checked by the command.
    std::optional<std::string> wheelNumbers;    // --numbers 1,5,9,…
    std::optional<std::string> wheelKeys;       // --keys 5
    std::optional<std::string> wheelGuarantee;  // --guarantee T/M
    std::optional<std::string> wheelSeconds;    // --seconds S
    std::optional<std::string> wheelSeed;       // --seed N
    std::optional<std::string> wheelVerify;     // --verify FILE
    std::vector<std::string> words;             // the command and its arguments
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

// Runs import, dump, export, backtest, wheel or list, or prints the version; returns the exit
// status (0 done, 1 an error, 2 a usage error, 3 see kStatusConflicts).  Messages
// go to err; nothing
// thrown escapes.
int RunHeadlessCommand(const StartOptions& options, std::ostream& out, std::ostream& err);
