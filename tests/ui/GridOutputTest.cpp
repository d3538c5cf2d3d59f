#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QWidget>
#include <filesystem>
#include <functional>

#include "grid/GridView.h"
#include "grid/SampleTables.h"
#include "support/TestSupport.h"
#include "ui/GridOutput.h"
#include "ui/Messages.h"

namespace {

namespace fs = std::filesystem;

TEST(GridOutput, AnUnwritableTargetIsReportedAndLeavesNothingBehind) {
    SetQuietMessages(true);
    ClearRecordedMessages();
    const ResultGrid grid = Table(6, 20);
    QWidget window;
    GridOutput output(&window, [&] { return DocumentOf(grid); });
    GridView view;
    output.AddMenuTo(&view);
    QStringList commands;
    for (const QAction* action : view.actions()) commands << action->text();
    // After the grid's own 「コピー」 and a separator.
    EXPECT_EQ(commands, (QStringList{"コピー(&C)", "", "CSVで保存(&S)...", "画像で保存(&G)...",
                                     "PDFで保存(&F)...", "印刷(&P)..."}));
    EXPECT_EQ(view.contextMenuPolicy(), Qt::ActionsContextMenu);

    TempDir dir;
    const auto tryEach = [&](const fs::path& folder) {
        const QString base = QString::fromStdString((folder / "表").string());
        const std::pair<QString, std::function<bool(const QString&)>> saves[] = {
            {".csv",
             [&](const QString& path) { return output.SaveCsvTo(path, CsvEncoding::ShiftJis); }},
            {".png", [&](const QString& path) { return output.SaveImageTo(path); }},
            {".pdf", [&](const QString& path) { return output.SavePdfTo(path); }},
        };
        for (const auto& [suffix, save] : saves) {
            const QString path = base + suffix;
            EXPECT_FALSE(save(path)) << path.toStdString();
            ASSERT_FALSE(RecordedMessages().isEmpty());
            EXPECT_TRUE(RecordedMessages().back().contains(path)) << path.toStdString();
            EXPECT_TRUE(RecordedMessages().back().contains(QStringLiteral("書き込めません")));
        }
    };
    tryEach(dir.Path() / "無いフォルダー");
    EXPECT_FALSE(fs::exists(dir.Path() / "無いフォルダー"));
    if (::geteuid() != 0) {
        const fs::path locked = dir.Path() / "読み取り専用";
        fs::create_directory(locked);
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
        tryEach(locked);
        EXPECT_TRUE(fs::is_empty(locked));
    }
    // Where it can be written, it is.
    EXPECT_TRUE(output.SaveCsvTo(QString::fromStdString(dir.File("表.csv")), CsvEncoding::Utf8));
    EXPECT_EQ(ReadFile(dir.File("表.csv")).rfind("\xEF\xBB\xBF# fpSpread1\n見出し,列2,", 0), 0u);
}

}  // namespace
