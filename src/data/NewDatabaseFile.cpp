#include "data/NewDatabaseFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/PrintableText.h"

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

// The temporary file and its journal, removed unless kept.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::string& target) {
        const std::filesystem::path path(target);
        std::string pattern =
            (path.parent_path() / ("." + path.filename().string() + ".new-XXXXXX")).string();
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) {
            throw UserError("データベースファイル「" + PrintableText(target) +
                            "」を作成できません。(" + std::strerror(errno) + ")");
        }
        // The permissions a newly created file would get, not mkstemp's 0600.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        ::close(fd);
        path_ = pattern;
    }
    ~TemporaryFile() {
        if (path_.empty()) return;
        std::remove(path_.c_str());
        std::remove((path_ + "-journal").c_str());
    }
    const std::string& Path() const { return path_; }
    void Keep() { path_.clear(); }

  private:
    std::string path_;
};

}  // namespace

bool CreateDatabaseFile(const std::string& path, const std::function<void(const Database&)>& fill) {
    TemporaryFile temporary(path);
    {
        const Database db = Database::Open(temporary.Path(), Database::Mode::Create);
        InTransaction(db, [&] { fill(db); });
    }
    if (renameFunction(temporary.Path().c_str(), path.c_str()) == 0) {
        temporary.Keep();
        return true;
    }
    if (errno == EEXIST) return false;
    throw UserError("データベースファイル「" + PrintableText(path) + "」を作成できません。(" +
                    std::strerror(errno) + ")");
}

void SetRenameFunctionForTesting(RenameFunction rename) {
    renameFunction = rename ? rename : RenameNoReplace;
}
