#include "app/DataFolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/GlobalBas.h"
#include "core/PrintableText.h"
#include "core/SystemErrorText.h"
#include "data/ConnectionText.h"
#include "data/CsvImport.h"

namespace fs = std::filesystem;

namespace {

bool IsDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// Owned by root, written by nobody else.
bool WrittenOnlyByRoot(const fs::path& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) return false;
    return info.st_uid == 0 && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

void MakeDataFolder(const fs::path& folder) {
    if (IsDirectory(folder)) return;
    const fs::path parent = folder.parent_path();
    if (!parent.empty() && parent != folder) MakeDataFolder(parent);
    if (::mkdir(folder.c_str(), 0700) != 0 && !(errno == EEXIST && IsDirectory(folder))) {
        throw UserError("フォルダー「" + PrintableText(folder.string()) + "」を作成できません。" +
                        DescribeSystemError(errno));
    }
}

fs::path ShareFolder(const fs::path& programFolder) {
    return (programFolder / ".." / "share" / "loto7kazoria").lexically_normal();
}

bool IsReadOnlyProgramFolder(const fs::path& programFolder) {
    if (::access(programFolder.c_str(), W_OK) != 0) return true;
    return IsDirectory(ShareFolder(programFolder)) && WrittenOnlyByRoot(programFolder);
}

fs::path UserDataFolder() {
    const fs::path xdg = Environment("XDG_DATA_HOME");
    if (xdg.is_absolute()) return xdg / "loto7kazoria";
    fs::path home = Environment("HOME");
    if (home.empty()) {
        if (const passwd* user = ::getpwuid(::getuid())) home = user->pw_dir ? user->pw_dir : "";
    }
    if (home.empty()) {
        throw UserError(
            "ホームフォルダーがわからないため、データベースを置くフォルダーを決められません。"
            "--db でデータベースファイルを指定してください。");
    }
    return home / ".local" / "share" / "loto7kazoria";
}

DataFolder FindDataFolder(const fs::path& programFolder) {
    DataFolder place;
    place.folder = IsReadOnlyProgramFolder(programFolder) ? UserDataFolder() : programFolder;
    place.database = place.folder / kDatabaseFileName;
    const fs::path history = ShareFolder(programFolder) / kBundledHistoryFileName;
    if (Exists(history)) place.bundledHistory = history;
    return place;
}

std::string PrepareDataFolder(const DataFolder& place) {
    MakeDataFolder(place.folder);
    if (place.bundledHistory.empty() || Exists(place.database)) return "";
    const ImportReport report = ImportCsv(place.bundledHistory.string(), place.database.string());
    return "データベース「" + PrintableText(place.database.string()) +
           "」を作り、付属の当選データ " + std::to_string(report.added) + "回分を登録しました。";
}
