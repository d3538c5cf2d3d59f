#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The options file, named without a directory: it lives in the current directory.
inline constexpr const char* kOptionsFileName = "ロト7カゾリア.ini";
// Twelve short lines need far less; a larger file is not an options file.
inline constexpr std::uintmax_t kMaxOptionsFileBytes = 64u << 10;

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
    // whole number is skipped, keeping that flag; the returned texts say
    // which lines were skipped.  A symbolic link, anything but a regular
    // file, or a file of another owner is not read at all: all flags become
    // False, one text says why, and WriteInitFile leaves it alone without a
    // word.  A file that cannot be read as Shift-JIS text (over 64 KiB,
    // unreadable, binary) gives one such text, changes nothing, and is then
    // kept as it is, WriteInitFile saying so.
    std::vector<std::string> ReadInitFile(const std::string& path = kOptionsFileName);

    // Replaces the file by the twelve lines in key order, written whole (see
    // WriteWholeFile): the old file stays byte for byte as it was unless the
    // new one reached the disk complete.  A file holding those lines already
    // is not written again.  Throws UserError when the file
    // cannot be written, is read-only, a link, not a regular file or another
    // user's, or could not be read at start-up (it is then left as it is).
    void WriteInitFile(const std::string& path = kOptionsFileName) const;

    // The file's contents as written (Shift-JIS bytes).
    std::string Serialise() const;

  private:
    std::array<bool, kCount> flags_{};
    // Whether the last read left the file alone, and whether writing then
    // says so (the file could not be read) or not (it was refused and the
    // user told why at once).
    enum class Keep { No, Saying, Silently };
    Keep keep_ = Keep::No;
};
