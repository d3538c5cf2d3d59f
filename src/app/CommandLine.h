#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Options shared by every way the program is started.
struct StartOptions {
    std::string databasePath;  // --db FILE, or the file beside the program
    std::string format = "json";
    bool openAll = false;       // --open-all
    std::vector<std::string> openWindows;  // --open WINDOW (repeatable)
    bool quitWhenReady = false;  // --quit-when-ready
    std::vector<std::string> words;  // the command and its arguments
};

// Parses the arguments after the program name.  Throws UserError for an
// unknown option or one missing its value.
StartOptions ParseArguments(const std::vector<std::string>& args,
                            const std::string& defaultDatabasePath);

// True when the words name a command that runs without windows.
bool IsHeadlessCommand(const StartOptions& options);

// Runs import, dump or list; returns the exit status.  Messages go to err.
int RunHeadlessCommand(const StartOptions& options, std::ostream& out, std::ostream& err);
