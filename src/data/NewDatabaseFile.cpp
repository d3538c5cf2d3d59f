#include "data/NewDatabaseFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/PrintableText.h"
#include "core/SystemErrorText.h"

namespace {

// rename(2) that fails with EEXIST instead of replacing an existing file.
int RenameNoReplace(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
    // File systems without the flag: a hard link is just as exclusive.
    if (::link(from, to) != 0) return -1;
    ::unlink(from);
    return 0;
}

RenameFunction renameFunction = RenameNoReplace;

[[noreturn]] void ThrowCannotCreate(const std::string& target, int error) {
    throw UserError("データベースファイル「" + PrintableText(target) + "」を作成できません。" +
                    DescribeSystemError(error));
}

// ".Loto7Kazoria.mdb.new-": the start of the temporary files made for target.
std::string TemporaryPrefix(const std::filesystem::path& target) {
    return "." + target.filename().string() + ".new-";
}

// The temporary file and its journal, removed unless kept.  It stays locked
// (flock, which the database engine's own locks do not touch) while this
// process works on it, so another creation can tell a file in use from one a
// killed process left behind.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::string& target) {
        const std::filesystem::path path(target);
        for (int attempt = 0; attempt < 8 && path_.empty(); ++attempt) {
            std::string pattern =
                (path.parent_path() / (TemporaryPrefix(path) + "XXXXXX")).string();
            const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
            if (fd < 0) ThrowCannotCreate(target, errno);
            ::flock(fd, LOCK_EX);
            // A cleaner that saw the file before the lock may have removed it.
            struct stat own {
            }, named{};
            if (::fstat(fd, &own) != 0 || ::stat(pattern.c_str(), &named) != 0 ||
                own.st_ino != named.st_ino || own.st_dev != named.st_dev) {
                ::close(fd);
                continue;
            }
            // The permissions a newly created file would get, not mkstemp's 0600.
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ::fchmod(fd, 0666 & ~mask);
            path_ = pattern;
            lock_ = fd;
        }
        if (path_.empty()) ThrowCannotCreate(target, EEXIST);
    }
    ~TemporaryFile() {
        if (!path_.empty()) {
            std::remove(path_.c_str());
            std::remove((path_ + "-journal").c_str());
        }
        ::close(lock_);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& Path() const { return path_; }
    void Keep() { path_.clear(); }

  private:
    std::string path_;
    int lock_ = -1;
};

// True when name is one of ours: the prefix and six characters of mkstemp.
bool IsTemporaryName(const std::string& name, const std::string& prefix, std::string* base) {
    if (name.rfind(prefix, 0) != 0) return false;
    std::string rest = name.substr(prefix.size());
    const std::string journal = "-journal";
    const bool isJournal = rest.size() > journal.size() && rest.ends_with(journal);
    if (isJournal) rest.resize(rest.size() - journal.size());
    if (rest.size() != 6) return false;
    for (char c : rest) {
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    }
    *base = prefix + rest;
    return true;
}

// A regular file of this user, not a link.
bool IsOwnRegularFile(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

// Removes the temporary file at path (and its journal) when no running
// process holds its lock: a creation that was killed.
void RemoveIfAbandoned(const std::string& path) {
    if (!IsOwnRegularFile(path)) return;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return;
    struct stat opened {
    }, named{};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
        ::lstat(path.c_str(), &named) == 0 && opened.st_ino == named.st_ino &&
        opened.st_dev == named.st_dev) {
        ::unlink(path.c_str());
        const std::string journal = path + "-journal";
        if (IsOwnRegularFile(journal)) ::unlink(journal.c_str());
    }
    ::close(fd);
}

}  // namespace

void RemoveAbandonedTemporaryFiles(const std::string& target) {
    const std::filesystem::path path(target);
    const std::filesystem::path folder =
        path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    const std::string prefix = TemporaryPrefix(path);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> mains, journals;
    while (const dirent* entry = ::readdir(dir)) {
        std::string base;
        const std::string name = entry->d_name;
        if (!IsTemporaryName(name, prefix, &base)) continue;
        (name == base ? mains : journals).push_back(base);
    }
    ::closedir(dir);
    for (const std::string& name : mains) RemoveIfAbandoned((folder / name).string());
    // A journal whose file is gone belongs to nothing.
    for (const std::string& name : journals) {
        const std::string main = (folder / name).string();
        struct stat info {};
        if (::lstat(main.c_str(), &info) != 0 && errno == ENOENT &&
            IsOwnRegularFile(main + "-journal")) {
            ::unlink((main + "-journal").c_str());
        }
    }
}

bool CreateDatabaseFile(const std::string& path, const std::function<void(const Database&)>& fill) {
    RemoveAbandonedTemporaryFiles(path);
    TemporaryFile temporary(path);
    try {
        const Database db = Database::Open(temporary.Path(), Database::Mode::Create);
        InTransaction(db, [&] { fill(db); });
    } catch (const DatabaseError& e) {
        // The user knows the file by its own name, not the temporary one's.
        std::string message = e.what();
        const std::string temporaryName = PrintableText(temporary.Path());
        for (std::size_t at = message.find(temporaryName); at != std::string::npos;
             at = message.find(temporaryName, at)) {
            message.replace(at, temporaryName.size(), PrintableText(path));
        }
        throw DatabaseError(message);
    }
    if (renameFunction(temporary.Path().c_str(), path.c_str()) == 0) {
        temporary.Keep();
        return true;
    }
    if (errno == EEXIST) return false;
    ThrowCannotCreate(path, errno);
}

void SetRenameFunctionForTesting(RenameFunction rename) {
    renameFunction = rename ? rename : RenameNoReplace;
}
