#pragma once

#include <chrono>
#include <ostream>
#include <string>

// The progress of a long command, for a person watching a terminal: once
// the work has taken a second, one line on standard error, rewritten in
// place (「乱数性の検定　シミュレーション 40 %」), and cleared when the work
// ends.  Nothing at all when standard error is not a terminal, so scripts
// and files read only the command's own messages.
class TerminalProgress {
  public:
    TerminalProgress(std::ostream& err, std::string what);
    ~TerminalProgress();
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // Told of work done out of total; always goes on.
    bool operator()(int done, int total);

  private:
    std::ostream* err_ = nullptr;  // null: not a terminal
    std::string what_;
    std::chrono::steady_clock::time_point start_;
    int lastPercent_ = -1;
    bool shown_ = false;
};
