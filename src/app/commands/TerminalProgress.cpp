#include "app/commands/TerminalProgress.h"

#include <unistd.h>

#include <iostream>

namespace {

constexpr double kQuietSeconds = 1;

}  // namespace

TerminalProgress::TerminalProgress(std::ostream& err, std::string what)
    : err_(&err == &std::cerr && isatty(STDERR_FILENO) ? &err : nullptr),
      what_(std::move(what)),
      start_(std::chrono::steady_clock::now()) {}

TerminalProgress::~TerminalProgress() {
    if (shown_) *err_ << "\r\x1B[K" << std::flush;
}

bool TerminalProgress::operator()(int done, int total) {
    if (!err_ || total <= 0) return true;
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const int percent = static_cast<int>(100LL * done / total);
    if (elapsed < kQuietSeconds || percent == lastPercent_) return true;
    lastPercent_ = percent;
    shown_ = true;
    *err_ << "\r" << what_ << " " << percent << " %" << std::flush;
    return true;
}
