#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The options file, named without a directory: it lives in the current directory.
inline constexpr const char* kOptionsFileName = "ロト7カゾリア.ini";

// The twelve "reflect this analysis in the prediction" flags and their
// storage in the options file (Shift-JIS, CR LF, one key=True/False a line).
class ReflectOptions {
  public:
    static constexpr int kCount = 12;
    static const std::array<std::string_view, kCount>& Keys();

    bool Flag(int index) const { return flags_.at(index); }
    void SetFlag(int index, bool on) { flags_.at(index) = on; }
    const std::array<bool, kCount>& Flags() const { return flags_; }

    // Sets each flag whose key occurs in the file (the later line wins) and
    // leaves the others as they are.  A missing file changes nothing.  A line
    // with a known key but no "=" or a value that is not True/False or a
    // number is skipped, keeping that flag; the returned texts say which
    // lines were skipped.  A file that exists but cannot be read gives one
    // such text and changes nothing.
    std::vector<std::string> ReadInitFile(const std::string& path = kOptionsFileName);

    // Replaces the file by the twelve lines in key order.  The old file stays
    // intact until the new one is complete.  Throws UserError when the file
    // cannot be written.
    void WriteInitFile(const std::string& path = kOptionsFileName) const;

    // The file's contents as written (Shift-JIS bytes).
    std::string Serialise() const;

  private:
    std::array<bool, kCount> flags_{};
};
