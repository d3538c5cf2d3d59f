// Speed of 結果の貼り付け on the bundled history: one result page, and a
// list of 100 draws with their prize lines, read, compared with the stored
// draws and stored in one transaction (what 登録 does after Ctrl+V).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QString>
#include <filesystem>

#include "data/CsvImport.h"
#include "paste/PastePreview.h"
#include "ui/Messages.h"
#include "ui/paste/PasteDialog.h"

namespace {

namespace fs = std::filesystem;

// A database of the bundled history, made once; each run works on a copy.
const fs::path& BaseDatabase() {
    static const fs::path path = [] {
        const fs::path dir = fs::temp_directory_path() / "loto7-bench-paste";
        fs::remove_all(dir);
        fs::create_directories(dir);
        const fs::path db = dir / "base.mdb";
        ImportCsv(LOTO7_BUNDLED_HISTORY, db.string());
        return db;
    }();
    return path;
}

// Draws 690 … 689 + count as a results page lists them, each with its
// numbers, six prize lines, carry-over and sales.
QString ResultText(int count) {
    QString text;
    for (int i = 0; i < count; ++i) {
        const int n = 690 + i;
        const int day = i * 7;
        const QDate date = QDate(2026, 8, 14).addDays(day);
        text += QStringLiteral("第%1回 ロト7\n抽せん日 %2\n本数字 %3 %4 %5 %6 %7 %8 %9\n")
                    .arg(n)
                    .arg(date.toString(QStringLiteral("yyyy年M月d日")))
                    .arg(1 + i % 5)
                    .arg(8)
                    .arg(12)
                    .arg(18)
                    .arg(23)
                    .arg(30)
                    .arg(35);
        text += QStringLiteral("ボーナス数字 (%1) (%2)\n").arg(6).arg(21);
        text += QStringLiteral(
            "1等 該当なし\n2等 7口 7,272,200円\n3等 173口 571,800円\n4等 8,765口 6,500円\n"
            "5等 143,210口 1,400円\n6等 245,678口 1,000円\n"
            "キャリーオーバー 1,234,567,890円\n販売実績額 3,003,258,600円\n\n");
    }
    return text;
}

void PasteAndRegister(benchmark::State& state) {
    const QString text = ResultText(static_cast<int>(state.range(0)));
    const fs::path copy = BaseDatabase().parent_path() / "run.mdb";
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(BaseDatabase(), copy, fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        const PastePreview preview = PreviewPaste(text, copy.string());
        const ImportReport report = ImportDraws(DrawsToStore(preview, FirstTicks(preview)),
                                                copy.string(), ImportMode::ReplaceStored);
        if (report.added != state.range(0)) state.SkipWithError("not every draw was stored");
    }
}
BENCHMARK(PasteAndRegister)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

// The same through the dialog the user sees: built with the text, its
// preview table filled, 登録 pressed.
void PasteDialogRegister(benchmark::State& state) {
    const QString text = ResultText(static_cast<int>(state.range(0)));
    const fs::path copy = BaseDatabase().parent_path() / "dialog.mdb";
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(BaseDatabase(), copy, fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        PasteDialog dialog(copy.string(), text);
        dialog.Register();
        if (!dialog.Report() || dialog.Report()->added != state.range(0)) {
            state.SkipWithError("not every draw was stored");
        }
    }
}
BENCHMARK(PasteDialogRegister)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

void ReadTextOnly(benchmark::State& state) {
    const QString text = ResultText(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(ReadPastedResults(text));
}
BENCHMARK(ReadTextOnly)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

// The largest texts a paste reads, of nothing but noise in the shapes that
// cost most (markers, prize words, numbers, dates, no line breaks): refused
// or read, never hung.
const char16_t* const kNoise[] = {
    u"第12回 あいう 1234 (5) 円口等\t", u"1等 2口 3円 キャ",   u"1 2 3 4 5 6 7 8 9 10 ",
    u"12月4日 R8.1.2 2026/1/2 ",        u"<td>第1回</td><br>",
};

void ReadFiveMegabytesOfNoise(benchmark::State& state) {
    const QString unit = QString::fromUtf16(kNoise[state.range(0)]);
    QString text;
    while (text.toUtf8().size() + unit.toUtf8().size() * 1024 < 5 * 1024 * 1024) {
        QString block;
        for (int i = 0; i < 1024; ++i) block += unit;
        text += block;
    }
    for (auto _ : state) benchmark::DoNotOptimize(ReadPastedResults(text));
}
BENCHMARK(ReadFiveMegabytesOfNoise)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

// The dialog needs an application; the offscreen platform needs no display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetQuietMessages(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
