#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

// Writing a file whole or not at all.  The bytes go to a new temporary file
// in the target's folder; every write, the sync to disk and the close are
// checked, and only then is the temporary file renamed over the target.  On
// any failure the temporary file is removed, the previous file stays byte for
// byte as it was, and UserError says in Japanese which file and why (disk
// full, read-only file system, permission, name too long, …).
//
// The target is refused, untouched, when it is a symbolic link (the file
// would otherwise be written where someone else pointed it), not a regular
// file, read-only by its mode bits (for root too: a read-only file is its
// owner's wish), or one of the files protected below.  With ownFileOnly, a
// file owned by another user is refused as well.  A replaced file keeps its
// permissions.
struct WholeFileTarget {
    std::string path;
    std::string_view what;  // the file for the user: "保存先のファイル", "設定ファイル"
    bool ownFileOnly = false;
};
void WriteWholeFile(const WholeFileTarget& target, std::string_view bytes);

// Why the existing file at path may not be replaced by this user, or the
// empty text when it may (or there is none).  The check WriteWholeFile makes
// before it writes anything.
std::string WhyNotReplaceable(const WholeFileTarget& target);

// Whether the regular file at path holds exactly these bytes.  A missing,
// unreadable or linked file does not.
bool FileHolds(const std::string& path, std::string_view bytes);

// Files no writer may replace: the open database, and beside it the journal
// the engine names after it.  A target naming the same file (through any
// link or another name) is refused.
void ProtectFromWriting(const std::string& path);

// The system calls the writer makes, replaceable by tests to show what a
// failure at each step leaves behind.
struct WholeFileCalls {
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fsync)(int fd);
    int (*rename)(const char* from, const char* to);
};
// Null restores the real calls.
void SetWholeFileCallsForTesting(const WholeFileCalls* calls);
