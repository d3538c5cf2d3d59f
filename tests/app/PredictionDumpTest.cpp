#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "AppTestSupport.h"
#include "app/CommandLine.h"
#include "data/CsvImport.h"
#include "prediction/PredictionModel.h"
#include "support/TestSupport.h"

namespace {

TEST(PredictionDump, PrintsTheFourGridsWithTheFlagsOfTheOptionsFile) {
    TempDir dir;
    const std::string db = dir.File("history.mdb");
    ImportCsv(BundledCsvPath(), db);
    ReflectOptions allSet;
    for (int i = 0; i < ReflectOptions::kCount; ++i) allSet.SetFlag(i, true);
    allSet.WriteInitFile(dir.File(kOptionsFileName));

    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const Outcome dump =
        RunCli({"dump", kPredictionWindowName, "--db", db, "--format", "csv"}, "unused.mdb");
    std::filesystem::current_path(previous);

    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find("# fpSpread1(3)\n"), std::string::npos);
    EXPECT_NE(dump.out.find("\n,25,24,28,37,10,9,23\n消去法,18,12,26,19,1,15,8\n"),
              std::string::npos)
        << dump.out;
    EXPECT_NE(RunCli({"list"}, "unused.mdb").out.find(std::string(kPredictionWindowName) + "\n"),
              std::string::npos);
}

}  // namespace
