#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What a path names, following symbolic links.
enum class FileKind { Missing, Regular, Directory, Other };

FileKind KindOf(const std::string& path);

// Throws UserError unless path names a regular file (or, when mayBeMissing,
// nothing at all).  what names the file for the user, such as "CSVファイル";
// a folder, a device or a named pipe gets a message instead of being opened,
// which could hang or write beside a device.
void RequireRegularFile(const std::string& path, std::string_view what, bool mayBeMissing = false);

// Reads a whole regular file of at most maxBytes.  Throws UserError naming
// the file when it is missing, not a regular file, unreadable or larger.
std::string ReadBoundedFile(const std::string& path, std::uintmax_t maxBytes,
                            std::string_view what);

// "64 MiB", "64 KiB": a byte limit as users read it.
std::string DescribeSize(std::uintmax_t bytes);
