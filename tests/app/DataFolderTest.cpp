// Where the database lives when no --db names one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "app/DataFolder.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

// Sets an environment variable (or unsets it for nullptr) for one scope.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(DataFolder, ProgramFolderWithoutAnInstalledShareFolderKeepsTheDatabaseBesideIt) {
    TempDir dir;
    const fs::path bin = dir.Path() / "build" / "src";
    fs::create_directories(bin);
    const DataFolder place = FindDataFolder(bin);
    EXPECT_EQ(place.database, bin / "Loto7Kazoria.mdb");
    EXPECT_TRUE(place.bundledHistory.empty());
    EXPECT_EQ(PrepareDataFolder(place), "");  // nothing to seed from
    EXPECT_FALSE(fs::exists(place.database));
}

// A read-only usr/bin holds for every user, root included: root may write
// it, but it is a root-owned system folder beside the share folder.
TEST(DataFolder, InstalledProgramUsesTheUserDataFolderFromXdgOrHome) {
    TempDir dir;
    const fs::path bin = dir.Path() / "usr" / "bin";
    fs::create_directories(bin);
    fs::create_directories(dir.Path() / "usr" / "share" / "loto7kazoria");
    WriteFile(dir.File("usr/share/loto7kazoria/loto7-history.csv"), ReadFile(BundledCsvPath()));
    fs::permissions(bin, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read |
                             fs::perms::others_exec);
    ScopedEnv home("HOME", dir.File("home").c_str());
    {
        ScopedEnv xdg("XDG_DATA_HOME", dir.File("xdg").c_str());
        const DataFolder place = FindDataFolder(bin);
        EXPECT_EQ(place.database, dir.Path() / "xdg" / "loto7kazoria" / "Loto7Kazoria.mdb");
        EXPECT_EQ(place.bundledHistory, dir.Path() / "usr/share/loto7kazoria/loto7-history.csv");
        const std::string note = PrepareDataFolder(place);
        EXPECT_NE(note.find("付属の当選データ 689回分"), std::string::npos) << note;
        EXPECT_EQ(fs::status(place.folder).permissions(), fs::perms::owner_all);
        EXPECT_EQ(PrepareDataFolder(place), "");  // made once
    }
    const fs::path fallback = dir.Path() / "home" / ".local" / "share" / "loto7kazoria";
    for (const char* xdg : {static_cast<const char*>(nullptr), "", "relative/xdg"}) {
        ScopedEnv unset("XDG_DATA_HOME", xdg);
        EXPECT_EQ(FindDataFolder(bin).folder, fallback) << (xdg ? xdg : "(unset)");
    }
    fs::permissions(bin, fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace
