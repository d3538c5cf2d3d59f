#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/commands/CommandArgs.h"

// What the command line says: the windowed program's options, or a command
// with its words and options.
struct StartOptions {
    std::string databasePath;              // --db FILE, or the default database
    bool databaseGiven = false;            // --db was given
    bool dataFolder = false;               // --data-folder
    bool showVersion = false;              // --version
    bool showHelp = false;                 // --help or -h
    bool openAll = false;                  // --open-all
    std::vector<std::string> openWindows;  // --open WINDOW (repeatable)
    bool quitWhenReady = false;            // --quit-when-ready
    std::vector<GivenOption> options;      // every option given, in order
    std::vector<std::string> words;        // the command and its arguments
};

// Parses the arguments after the program name.  Throws UserError for an
// unknown option, one missing its value, an empty --db or --out, an option
// another command owns, or --data-folder with a command.
StartOptions ParseArguments(const std::vector<std::string>& args,
                            const std::string& defaultDatabasePath);

// True when the words name a command that runs without windows, or for
// --version and --help.
bool IsHeadlessCommand(const StartOptions& options);

// True for a command that draws (export to an image or a PDF file): it runs
// under a QGuiApplication, on the offscreen platform where there is no
// display.
bool CommandDraws(const StartOptions& options);

// Runs the command the words name (see CommandTable), or prints the version
// or the usage text (on out); returns the exit status.  Messages go to err;
// nothing thrown escapes.
int RunHeadlessCommand(const StartOptions& options, std::ostream& out, std::ostream& err);
