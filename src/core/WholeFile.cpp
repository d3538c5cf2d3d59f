#include "core/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

#include "core/Errors.h"
#include "core/FileAccess.h"
#include "core/PrintableText.h"
#include "core/SystemErrorText.h"

namespace fs = std::filesystem;

namespace {

const WholeFileCalls kRealCalls{::write, ::fsync, ::rename};
const WholeFileCalls* calls = &kRealCalls;

std::mutex protectedMutex;
std::vector<std::string>& ProtectedFiles() {
    static std::vector<std::string> files;
    return files;
}

// The names the database engine gives the files it keeps beside a database.
constexpr const char* kCompanionSuffixes[] = {"", "-journal", "-wal", "-shm"};

std::string Label(const WholeFileTarget& target) {
    return std::string(target.what) + "「" + PrintableText(target.path) + "」";
}

bool SameInode(const struct stat& a, const std::string& other) {
    struct stat b {};
    return ::stat(other.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The path with its folder resolved (links, "..", relative names), so that
// two names of one place compare equal even when the file does not exist.
fs::path Resolved(const std::string& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    const fs::path folder = fs::weakly_canonical(absolute.parent_path(), ec);
    return folder / absolute.filename();
}

// True when path names a protected file or a companion file of one, through
// any name: the file itself by its inode, a companion that may not exist yet
// by its resolved place.
bool IsProtected(const std::string& path) {
    struct stat target {};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    const fs::path place = Resolved(path);
    std::lock_guard lock(protectedMutex);
    for (const std::string& file : ProtectedFiles()) {
        for (const char* suffix : kCompanionSuffixes) {
            const std::string companion = file + suffix;
            if (exists && SameInode(target, companion)) return true;
            if (place == Resolved(companion)) return true;
        }
    }
    return false;
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes all bytes, resuming after interruptions and short writes; the
// errno of a failure, or 0.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = calls->write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return errno;
        if (written == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// The temporary file, removed unless it was renamed into place.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::string& folder) {
        path_ = folder + "/.loto7kazoria-XXXXXX";
        fd_ = ::mkstemp(path_.data());
        if (fd_ < 0) path_.clear();
    }
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    const std::string& Path() const { return path_; }
    // Closes the file; the errno of a failure, or 0.
    int Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }
    void Renamed() { path_.clear(); }

  private:
    std::string path_;
    int fd_ = -1;
};

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // a folder some file systems cannot sync still holds the name
    ::close(fd);
}

}  // namespace

std::string WhyNotReplaceable(const WholeFileTarget& target) {
    const std::string& path = target.path;
    if (path.empty()) return "名前が空です。";
    if (FileNameOf(path).size() > NAME_MAX) return DescribeSystemError(ENAMETOOLONG);
    if (IsProtected(path)) {
        return "開いているデータベースファイル(またはその作業ファイル)です。"
               "別の名前を指定してください。";
    }
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0) {
        return errno == ENOENT ? std::string() : DescribeSystemError(errno);
    }
    if (S_ISLNK(link.st_mode)) {
        return "シンボリックリンクです。リンクの先へは書き込みません。"
               "リンクを消すか、別の名前を指定してください。";
    }
    if (S_ISDIR(link.st_mode)) return "フォルダーです。ファイルを指定してください。";
    if (!S_ISREG(link.st_mode)) {
        return "通常のファイルではありません(デバイスや名前付きパイプなど)。"
               "ファイルを指定してください。";
    }
    if (target.ownFileOnly && link.st_uid != ::geteuid()) {
        return "ほかのユーザーのファイルです。";
    }
    if ((link.st_mode & 0222) == 0) {
        return "読み取り専用のファイルです。書き込みを許可するか、別の名前を指定してください。";
    }
    if (::geteuid() != 0 && ::access(path.c_str(), W_OK) != 0) {
        return DescribeSystemError(errno);
    }
    return {};
}

void WriteWholeFile(const WholeFileTarget& target, std::string_view bytes) {
    const std::string refusal = WhyNotReplaceable(target);
    if (!refusal.empty()) throw UserError(Label(target) + "に書き込めません。" + refusal);

    struct stat previous {};
    const bool replacing = ::stat(target.path.c_str(), &previous) == 0;
    const std::string folder = FolderOf(target.path);
    TemporaryFile temporary(folder);
    int error = temporary.IsOpen() ? 0 : errno;
    if (error == 0) {
        // The new file gets the old one's permissions (and, for root, owner).
        ::fchmod(temporary.Fd(), replacing ? previous.st_mode & 07777 : NewFileMode());
        if (replacing && ::geteuid() == 0) {
            if (::fchown(temporary.Fd(), previous.st_uid, previous.st_gid) != 0) {
                // Keeping root as owner still leaves the contents right.
            }
        }
        error = WriteAll(temporary.Fd(), bytes);
    }
    if (error == 0 && calls->fsync(temporary.Fd()) != 0) error = errno;
    if (error == 0) error = temporary.Close();
    if (error == 0 && calls->rename(temporary.Path().c_str(), target.path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        throw UserError(Label(target) + "に書き込めません。" + DescribeSystemError(error) +
                        (replacing ? "\n元のファイルは変わっていません。" : ""));
    }
    temporary.Renamed();
    SyncFolder(folder);
}

bool FileHolds(const std::string& path, std::string_view bytes) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISREG(link.st_mode)) return false;
    // A larger file is refused by the reader before it reads a byte.
    try {
        return ReadBoundedFile(path, bytes.size(), "") == bytes;
    } catch (const UserError&) {
        return false;
    }
}

void ProtectFromWriting(const std::string& path) {
    std::error_code ec;
    const std::string absolute = fs::absolute(path, ec).string();
    std::lock_guard lock(protectedMutex);
    for (const std::string& file : ProtectedFiles()) {
        if (file == absolute) return;
    }
    ProtectedFiles().push_back(absolute);
}

void SetWholeFileCallsForTesting(const WholeFileCalls* replacement) {
    calls = replacement ? replacement : &kRealCalls;
}
