#include "core/FileAccess.h"

#include <sys/stat.h>
#include <sys/vfs.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "core/Errors.h"
#include "core/PrintableText.h"
#include "core/SystemErrorText.h"

namespace fs = std::filesystem;

namespace {

std::string Named(std::string_view what, const std::string& path) {
    return std::string(what) + "「" + PrintableText(path) + "」";
}

// True for a file of the kernel's own file systems (/proc, /sys and the
// like): it looks like an ordinary file but is a view of the running
// system, and reading it fails or gives what no user typed.
bool IsSystemView(const std::string& path) {
    constexpr long kProc = 0x9fa0, kSysfs = 0x62656572, kDebugfs = 0x64626720,
                   kSecurityfs = 0x73636673, kCgroup2 = 0x63677270, kTracefs = 0x74726163;
    struct statfs info {};
    if (::statfs(path.c_str(), &info) != 0) return false;
    const long type = static_cast<long>(info.f_type);
    return type == kProc || type == kSysfs || type == kDebugfs || type == kSecurityfs ||
           type == kCgroup2 || type == kTracefs;
}

}  // namespace

FileKind KindOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        // Only a name that holds nothing at all is missing: a link whose
        // target is gone, a loop or a name too long is something else.
        struct stat link {};
        const bool nothing =
            errno == ENOENT && ::lstat(path.c_str(), &link) != 0 && errno == ENOENT;
        return nothing ? FileKind::Missing : FileKind::Other;
    }
    if (S_ISREG(info.st_mode)) return FileKind::Regular;
    if (S_ISDIR(info.st_mode)) return FileKind::Directory;
    return FileKind::Other;
}

void RequireRegularFile(const std::string& path, std::string_view what, bool mayBeMissing) {
    if (path.empty()) throw UserError(std::string(what) + "の名前が空です。");
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        struct stat link {};
        if (error == ENOENT && ::lstat(path.c_str(), &link) == 0) {
            throw UserError(Named(what, path) +
                            "はシンボリックリンクですが、リンク先がありません。");
        }
        if (error == ENOENT) {
            if (mayBeMissing) return;
            throw UserError(Named(what, path) + "が見つかりません。");
        }
        throw UserError(Named(what, path) + "を開けません。" + DescribeSystemError(error));
    }
    if (S_ISREG(info.st_mode) && IsSystemView(path)) {
        throw UserError(Named(what, path) +
                        "はシステムの情報を示す特別なファイルです(/proc や /sys など)。"
                        "ファイルを指定してください。");
    }
    if (S_ISREG(info.st_mode)) return;
    if (S_ISDIR(info.st_mode)) {
        throw UserError(Named(what, path) + "はフォルダーです。ファイルを指定してください。");
    }
    throw UserError(Named(what, path) +
                    "は通常のファイルではありません(デバイスや名前付きパイプなど)。"
                    "ファイルを指定してください。");
}

std::string ReadBoundedFile(const std::string& path, std::uintmax_t maxBytes,
                            std::string_view what) {
    RequireRegularFile(path, what);
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    const auto tooLarge = [&] {
        return UserError(Named(what, path) + "は大きすぎます(" + DescribeSize(maxBytes) +
                         "まで)。");
    };
    if (!ec && size > maxBytes) throw tooLarge();
    std::ifstream in(path, std::ios::binary);
    if (!in) throw UserError(Named(what, path) + "を読めません。" + DescribeSystemError(errno));
    // The size may change while reading; never read past the limit.
    std::string text;
    if (!ec) text.reserve(static_cast<std::size_t>(size));
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > maxBytes) throw tooLarge();
    }
    if (in.bad()) throw UserError(Named(what, path) + "を読めません。" + DescribeSystemError(EIO));
    return text;
}

std::string DescribeSize(std::uintmax_t bytes) {
    if (bytes % (1024 * 1024) == 0) return std::to_string(bytes / (1024 * 1024)) + " MiB";
    if (bytes % 1024 == 0) return std::to_string(bytes / 1024) + " KiB";
    return std::to_string(bytes) + " バイト";
}
