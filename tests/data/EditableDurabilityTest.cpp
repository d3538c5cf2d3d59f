#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <sstream>

#include "data/DrawStoreLoader.h"
#include "data/EditableRecordSet.h"
#include "support/DrawDatabase.h"

namespace {

// The child: adds draws and fills their nine numbers one committed edit at a
// time, reporting each commit on the pipe as "draw field value", until killed.
[[noreturn]] void EditUntilKilled(const std::string& connection, int pipe) {
    try {
        EditableRecordSet records(connection);
        for (;;) {
            records.InsertAt(records.RecordCount());
            const std::size_t row = records.RecordCount() - 1;
            const long long draw = std::get<long long>(records.Row(row).drawNumber);
            for (int field = 0; field < kFieldCount; ++field) {
                const int value = static_cast<int>((draw + field) % 37) + 1;
                records.SetNumber(row, field, value);
                const std::string line = std::to_string(draw) + " " + std::to_string(field) + " " +
                                         std::to_string(value) + "\n";
                if (write(pipe, line.data(), line.size()) < 0) _exit(2);
            }
        }
    } catch (...) {
        _exit(1);
    }
}

// Reads until at least `lines` complete lines have come, or the pipe closes.
std::string ReadLines(int fd, int lines) {
    std::string text;
    char buffer[4096];
    while (std::count(text.begin(), text.end(), '\n') < lines) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

std::string StoredValue(const Database& db, long long draw, int field) {
    Statement query(db, "SELECT \"" + std::string(kNumberFields[field]) +
                            "\" FROM 全データ選択クエリ WHERE 回数 = " + std::to_string(draw));
    if (!query.Step()) return "missing draw";
    const auto* text = sqlite3_column_text(query.Handle(), 0);
    return text ? reinterpret_cast<const char*>(text) : "";
}

TEST(EditableDurability, CommittedEditsSurviveAKilledProcess) {
    TempDir dir;
    const std::string connection = CreateDrawDatabase(dir, {"1, 7,10,12,17,23,28,34,3,15"});
    std::string acknowledged;
    for (int round = 0; round < 8; ++round) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(fds[0]);
            EditUntilKilled(connection, fds[1]);
        }
        close(fds[1]);
        acknowledged += ReadLines(fds[0], 5 + 3 * round);
        kill(child, SIGKILL);
        acknowledged += ReadLines(fds[0], INT_MAX);  // commits reported before the kill landed
        close(fds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped on its own in round " << round;

        // A kill inside a transaction may leave a hot journal; the start-up
        // snapshot, which opens the file read-only, still loads.
        GlobalBas snapshot;
        ASSERT_NO_THROW(OpenDrawStore(snapshot, connection));
        const Database db = Database::Open(connection, Database::Mode::ReadWrite);
        Statement check(db, "PRAGMA integrity_check");
        ASSERT_TRUE(check.Step());
        ASSERT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check.Handle(), 0)), "ok");
        std::istringstream lines(acknowledged);
        long long draw = 0;
        int field = 0;
        int value = 0;
        while (lines >> draw >> field >> value) {
            ASSERT_EQ(StoredValue(db, draw, field), std::to_string(value))
                << "draw " << draw << " field " << field << " after round " << round;
        }
    }
}

}  // namespace
