#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/CommandLine.h"
#include "data/CsvImport.h"
#include "prediction/PredictionModel.h"
#include "support/TestSupport.h"

namespace {

std::string RunCommand(const std::vector<std::string>& args, int& status) {
    std::ostringstream out, err;
    status = RunHeadlessCommand(ParseArguments(args, "unused.mdb"), out, err);
    return out.str() + err.str();
}

TEST(PredictionDump, PrintsTheFourGridsWithTheFlagsOfTheOptionsFile) {
    TempDir dir;
    const std::string db = dir.File("history.mdb");
    ImportCsv(BundledCsvPath(), db);
    ReflectOptions allSet;
    for (int i = 0; i < ReflectOptions::kCount; ++i) allSet.SetFlag(i, true);
    allSet.WriteInitFile(dir.File(kOptionsFileName));

    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    int status = -1;
    const std::string csv =
        RunCommand({"dump", kPredictionWindowName, "--db", db, "--format", "csv"}, status);
    std::filesystem::current_path(previous);

    EXPECT_EQ(status, 0) << csv;
    EXPECT_NE(csv.find("# fpSpread1(3)\n"), std::string::npos);
    EXPECT_NE(csv.find("\n,25,24,28,37,10,9,23\n消去法,18,12,26,19,1,15,8\n"), std::string::npos)
        << csv;
    EXPECT_NE(RunCommand({"list"}, status).find(std::string(kPredictionWindowName) + "\n"),
              std::string::npos);
}

}  // namespace
