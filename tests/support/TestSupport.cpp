#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <fstream>
#include <random>
#include <sstream>

#include "core/Errors.h"

TempDir::TempDir() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            ("loto7test-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

TestDraw Draw(int drawNumber, std::initializer_list<int> nine) {
    TestDraw d{drawNumber, {}};
    for (int n : nine) d.numbers.emplace_back(n);
    return d;
}

GlobalBas MakeGlobals(const std::vector<TestDraw>& draws) {
    std::vector<DrawRecord> rows;
    for (const TestDraw& d : draws) {
        DrawRecord row;
        row.drawNumber = static_cast<std::int16_t>(d.drawNumber);
        for (int f = 0; f < kFieldCount && f < static_cast<int>(d.numbers.size()); ++f) {
            if (d.numbers[f]) row.Set(f, static_cast<std::int16_t>(*d.numbers[f]));
        }
        rows.push_back(row);
    }
    GlobalBas g;
    g.Draws = DrawStore(std::move(rows));
    DeriveStatistics(g);
    return g;
}

std::string BundledCsvPath() { return std::string(LOTO7_TEST_DATA) + "/loto7-history.csv"; }

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string RunPoppler(const std::string& tool, const std::vector<std::string>& arguments) {
    const QString program = QStandardPaths::findExecutable(QString::fromStdString(tool));
    if (program.isEmpty()) {
        ADD_FAILURE() << tool << " is missing: install poppler-utils (scripts/setup.sh does)";
        return {};
    }
    QStringList list;
    for (const std::string& argument : arguments) list << QString::fromStdString(argument);
    QProcess process;
    process.start(program, list);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << tool << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput().toStdString();
}

int PdfPageCount(const std::string& pdf) {
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                   QRegularExpression::MultilineOption);
    const auto match = pages.match(QString::fromStdString(RunPoppler("pdfinfo", {pdf})));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

std::vector<std::string> PdfPageTexts(const std::string& pdf) {
    // A glyph shared by a kanji and a Kangxi radical (見, ⾒) comes out as
    // either; compatibility normalisation makes them one.  pdftotext ends
    // every page with a form feed.
    const std::string text =
        QString::fromStdString(RunPoppler("pdftotext", {"-enc", "UTF-8", pdf, "-"}))
            .normalized(QString::NormalizationForm_KC)
            .toStdString();
    std::vector<std::string> pages;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\f', start)) != std::string::npos; start = end + 1) {
        pages.push_back(text.substr(start, end - start));
    }
    return pages;
}

std::string RefusalOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const UserError& e) {
        return e.what();
    }
    return {};
}
