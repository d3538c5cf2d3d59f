#pragma once

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "core/GlobalBas.h"

// A fresh directory under the system temp folder, removed on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// A draw for hand-made sets: nine numbers (main 1–7, bonus 1, bonus 2); an
// empty optional leaves that field empty.
struct TestDraw {
    int drawNumber;
    std::vector<std::optional<int>> numbers;
};

// A complete draw from nine numbers.
TestDraw Draw(int drawNumber, std::initializer_list<int> nine);

// A snapshot of the given draws with the statistics derived, as at start-up.
GlobalBas MakeGlobals(const std::vector<TestDraw>& draws);

// The bundled real history, loaded the way the program loads it (through an
// encrypted database made in a temporary directory once per test program;
// defined in RealHistory.cpp, for test programs that link the data layer).
const GlobalBas& RealHistory();

// The bundled CSV file.
std::string BundledCsvPath();

// Runs a tool of poppler-utils (pdfinfo, pdftotext) and returns what it
// printed.  A tool that is missing or fails fails the test, saying so.
std::string RunPoppler(const std::string& tool, const std::vector<std::string>& arguments);
// The number of pages pdfinfo reports, or -1.
int PdfPageCount(const std::string& pdf);
// The text of each page, as pdftotext extracts it, in Unicode's
// compatibility normal form (NFKC).
std::vector<std::string> PdfPageTexts(const std::string& pdf);

// Writes text to a file (binary, as given).
void WriteFile(const std::string& path, const std::string& text);
std::string ReadFile(const std::string& path);

// The message of the UserError `action` throws; empty when it throws none.
std::string RefusalOf(const std::function<void()>& action);
