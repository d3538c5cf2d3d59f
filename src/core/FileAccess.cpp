#include "core/FileAccess.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/Errors.h"
#include "core/PrintableText.h"

namespace fs = std::filesystem;

namespace {

std::string Named(std::string_view what, const std::string& path) {
    return std::string(what) + "「" + PrintableText(path) + "」";
}

}  // namespace

FileKind KindOf(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) return FileKind::Missing;
    if (ec) return FileKind::Other;
    if (status.type() == fs::file_type::regular) return FileKind::Regular;
    if (status.type() == fs::file_type::directory) return FileKind::Directory;
    return FileKind::Other;
}

void RequireRegularFile(const std::string& path, std::string_view what, bool mayBeMissing) {
    if (path.empty()) throw UserError(std::string(what) + "の名前が空です。");
    switch (KindOf(path)) {
        case FileKind::Regular:
            return;
        case FileKind::Missing:
            if (mayBeMissing) return;
            throw UserError(Named(what, path) + "が見つかりません。");
        case FileKind::Directory:
            throw UserError(Named(what, path) + "はフォルダーです。ファイルを指定してください。");
        case FileKind::Other:
            throw UserError(Named(what, path) +
                            "は通常のファイルではありません(デバイスや名前付きパイプなど)。"
                            "ファイルを指定してください。");
    }
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
    if (!in) {
        throw UserError(Named(what, path) + "を読めません。(" + std::strerror(errno) + ")");
    }
    // The size may change while reading; never read past the limit.
    std::string text;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > maxBytes) throw tooLarge();
    }
    if (in.bad()) throw UserError(Named(what, path) + "を読めません。");
    return text;
}

std::string DescribeSize(std::uintmax_t bytes) {
    if (bytes % (1024 * 1024) == 0) return std::to_string(bytes / (1024 * 1024)) + " MiB";
    if (bytes % 1024 == 0) return std::to_string(bytes / 1024) + " KiB";
    return std::to_string(bytes) + " バイト";
}
