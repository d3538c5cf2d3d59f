#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Errors.h"
#include "core/HalfWidth.h"

// A usage error: the command line asked for something the command cannot
// do.  The command table prints the message alone and exits with status 2.
class UsageError : public UserError {
  public:
    using UserError::UserError;
};

// An option as given: its name ("--from") and value (empty for a flag).
using GivenOption = std::pair<std::string, std::string>;

// The value given last for the option, as typed; none when not given.
inline std::optional<std::string> LastValue(const std::vector<GivenOption>& options,
                                            std::string_view option) {
    std::optional<std::string> value;
    for (const auto& [name, given] : options) {
        if (name == option) value = given;
    }
    return value;
}

// What a command is given: its words (its own name first) and the options
// of the command line in the order given (the command table runs a command
// only with options it takes, each once unless it may repeat).
class CommandArgs {
  public:
    CommandArgs(std::vector<std::string> words, std::vector<GivenOption> options,
                std::string databasePath)
        : words_(std::move(words)),
          options_(std::move(options)),
          databasePath_(std::move(databasePath)) {}

    const std::vector<std::string>& Words() const { return words_; }
    std::size_t WordCount() const { return words_.size(); }
    const std::string& Word(std::size_t index) const { return words_.at(index); }
    const std::vector<GivenOption>& Options() const { return options_; }

    bool Has(std::string_view option) const { return Value(option).has_value(); }
    // The value given last for the option, as typed.
    std::optional<std::string> Value(std::string_view option) const {
        return LastValue(options_, option);
    }
    // --db FILE, or the default database.
    const std::string& DatabasePath() const { return databasePath_; }
    // --format: json unless given.
    std::string Format() const { return Value("--format").value_or("json"); }

  private:
    std::vector<std::string> words_;
    std::vector<GivenOption> options_;
    std::string databasePath_;
};

// Runs a reading or check of a tool's own; its failure is a usage error of
// the command.
template <typename Check>
void AsUsage(Check check) {
    try {
        check();
    } catch (const UserError& e) {
        throw UsageError(e.what());
    }
}

// A whole number in [low, high] written in ASCII or full-width digits (and,
// for a signed type, a leading minus), nothing else; none when the text is
// not one.
template <typename T>
std::optional<T> WholeNumberIn(std::string_view typed, T low, T high) {
    const std::string text = HalfWidth(typed);
    T value{};
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || last != end || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}
