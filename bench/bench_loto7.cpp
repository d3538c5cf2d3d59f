// Speed of the snapshot load, every analysis build, the prediction, the
// back-test, the grid painting (the entry grid's too) and the export of the
// largest grid to PDF and PNG, on a synthetic history of 5000 complete draws
// kept in an encrypted database, as the program keeps it (the back-test also
// on the bundled history).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTableView>
#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include "BenchHistory.h"
#include "analysis/AnalysisCatalog.h"
#include "analysis/RandomnessAnalysis.h"
#include "backtest/Backtest.h"
#include "backtest/BacktestFamily.h"
#include "data/DrawStoreLoader.h"
#include "data/EditableRecordSet.h"
#include "data/SyntheticHistory.h"
#include "entry/DrawEntryModel.h"
#include "entry/EntryColumns.h"
#include "entry/GridLineStyle.h"
#include "entry/NumberCellDelegate.h"
#include "grid/GridExport.h"
#include "grid/GridView.h"
#include "grid/ProgramLook.h"
#include "prediction/PredictionModel.h"
#include "ui/WindowDocuments.h"

namespace {

constexpr int kDraws = 5000;

const std::string& DatabasePath() {
    static const std::string path = [] {
        const std::string csv = BenchScratchFile("bench5000.csv");
        std::ofstream(csv) << SyntheticHistoryCsv(kDraws);
        return ImportedBenchDatabase(csv, "bench5000.mdb");
    }();
    return path;
}

const GlobalBas& Globals() {
    static const GlobalBas g = [] {
        GlobalBas loaded;
        OpenDrawStore(loaded, DatabasePath());
        return loaded;
    }();
    return g;
}

void BM_SnapshotLoad(benchmark::State& state) {
    for (auto _ : state) {
        GlobalBas g;
        OpenDrawStore(g, DatabasePath());
        benchmark::DoNotOptimize(g.LatestDrawNumber);
    }
}
BENCHMARK(BM_SnapshotLoad)->Unit(benchmark::kMillisecond);

void BM_AllAnalyses(benchmark::State& state) {
    const GlobalBas& g = Globals();
    for (auto _ : state) {
        for (const AnalysisInfo& info : AnalysisCatalog()) {
            if (!info.build) continue;
            ResultGrid grid;
            info.build(g, grid);
            benchmark::DoNotOptimize(grid.RowCount());
        }
    }
}
BENCHMARK(BM_AllAnalyses)->Unit(benchmark::kMillisecond);

void BM_PredictionLoad(benchmark::State& state) {
    const GlobalBas& g = Globals();
    PredictionModel model;
    for (auto _ : state) model.Load(g);
}
BENCHMARK(BM_PredictionLoad)->Unit(benchmark::kMillisecond);

void BM_PredictionOptionClick(benchmark::State& state) {
    PredictionModel model;
    model.Load(Globals());
    bool reflect = false;
    for (auto _ : state) {
        reflect = !reflect;
        model.SetOption(1, reflect);
    }
}
BENCHMARK(BM_PredictionOptionClick)->Unit(benchmark::kMicrosecond);

// Every method replayed over every draw of the default range, with a
// progress callback as the window will give one.
void RunWholeBacktest(benchmark::State& state, const GlobalBas& g) {
    const ReflectOptions options;
    const BacktestRange range = DefaultBacktestRange(g.Draws, options).value();
    int reports = 0;
    for (auto _ : state) {
        const BacktestResult result = RunBacktest(g.Draws, options, range, [&](int, int) {
            ++reports;
            return true;
        });
        benchmark::DoNotOptimize(result.methods[0].mainMatches);
        state.counters["draws"] = result.draws;
    }
    benchmark::DoNotOptimize(reports);
}

void BM_BacktestBundledHistory(benchmark::State& state) {
    RunWholeBacktest(state, BundledHistory());
}
BENCHMARK(BM_BacktestBundledHistory)->Unit(benchmark::kMillisecond);

void BM_Backtest5000(benchmark::State& state) { RunWholeBacktest(state, Globals()); }
BENCHMARK(BM_Backtest5000)->Unit(benchmark::kMillisecond);

// The family adjustment of the bundled history's default range: 100,000
// simulated fair histories on two threads.
void BM_BacktestFamilyBundledHistory(benchmark::State& state) {
    const GlobalBas& g = BundledHistory();
    const ReflectOptions options;
    const BacktestResult scored =
        RunBacktest(g.Draws, options, DefaultBacktestRange(g.Draws, options).value());
    for (auto _ : state) {
        BacktestResult result = scored;
        AddFamilyPValues(result);
        benchmark::DoNotOptimize(result.methods[0].familyPValue);
    }
}
BENCHMARK(BM_BacktestFamilyBundledHistory)->Unit(benchmark::kMillisecond)->UseRealTime();

// 乱数性の検定 as the window runs it: every draw, 10,000 fair histories on two threads.
void RunWholeRandomness(benchmark::State& state, const GlobalBas& g) {
    const RandomnessRange range = WholeRandomnessRange(g.Draws).value();
    for (auto _ : state) {
        const auto result = RunRandomness(g.Draws, range, kRandomnessSimulations, kRandomnessSeed);
        benchmark::DoNotOptimize(result->tests[0].pValue);
        state.counters["draws"] = result->draws;
    }
}

void BM_RandomnessBundledHistory(benchmark::State& state) {
    RunWholeRandomness(state, BundledHistory());
}
BENCHMARK(BM_RandomnessBundledHistory)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Randomness5000(benchmark::State& state) { RunWholeRandomness(state, Globals()); }
BENCHMARK(BM_Randomness5000)->Unit(benchmark::kMillisecond)->UseRealTime();

// How long a stop takes to be answered at 5000 draws, `after` into the work:
// the time from the stop request until the work has returned.
template <typename Work>
void MeasureStop(benchmark::State& state, std::chrono::milliseconds after, Work work) {
    for (auto _ : state) {
        std::atomic<bool> stop{false};
        std::thread worker([&] { work(stop); });
        std::this_thread::sleep_for(after);
        const auto asked = std::chrono::steady_clock::now();
        stop = true;
        worker.join();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count());
    }
}

void BM_StopRandomness5000(benchmark::State& state) {
    const GlobalBas& g = Globals();
    const RandomnessRange range = WholeRandomnessRange(g.Draws).value();
    MeasureStop(state, std::chrono::milliseconds(500), [&](std::atomic<bool>& stop) {
        RunRandomness(g.Draws, range, kRandomnessSimulations, kRandomnessSeed,
                      [&](int, int) { return !stop; });
    });
}
BENCHMARK(BM_StopRandomness5000)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_StopBacktestReplay5000(benchmark::State& state) {
    const GlobalBas& g = Globals();
    const ReflectOptions options;
    const BacktestRange range = DefaultBacktestRange(g.Draws, options).value();
    // The whole replay takes well under 100 ms: stop it early, while it runs
    // (a stop after it ended would measure nothing, and the benchmark would
    // repeat it without end).
    MeasureStop(state, std::chrono::milliseconds(20), [&](std::atomic<bool>& stop) {
        RunBacktest(g.Draws, options, range, [&](int, int) { return !stop; });
    });
}
BENCHMARK(BM_StopBacktestReplay5000)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_StopBacktestFamily5000(benchmark::State& state) {
    const GlobalBas& g = Globals();
    const ReflectOptions options;
    const BacktestResult scored =
        RunBacktest(g.Draws, options, DefaultBacktestRange(g.Draws, options).value());
    MeasureStop(state, std::chrono::milliseconds(500), [&](std::atomic<bool>& stop) {
        BacktestResult result = scored;
        AddFamilyPValues(result, kFamilySimulations, kFamilySeed, [&](int, int) { return !stop; });
    });
}
BENCHMARK(BM_StopBacktestFamily5000)->Unit(benchmark::kMillisecond)->UseManualTime();

// One build per analysis window.
void BuildOne(benchmark::State& state, const AnalysisInfo* info) {
    const GlobalBas& g = Globals();
    for (auto _ : state) {
        ResultGrid grid;
        info->build(g, grid);
        benchmark::DoNotOptimize(grid.RowCount());
    }
}

// Laying out a window's grid as its view does, in the program's font for a
// view of 1000 × 860 pixels.  Texts are measured once per font and kept, so
// this is the cost of every layout after the first of the run.
void LayOutOne(benchmark::State& state, const AnalysisInfo* info) {
    ResultGrid grid;
    info->build(Globals(), grid);
    for (auto _ : state) {
        const GridGeometry geometry(grid, ProgramFont(), 96, QSize(1000, 860));
        benchmark::DoNotOptimize(geometry.Height());
    }
    state.counters["cells"] = static_cast<double>(grid.ColumnCount()) * grid.RowCount();
}

// Painting a full viewport of a window's grid, scrolled to its middle.
void PaintOne(benchmark::State& state, const AnalysisInfo* info) {
    ResultGrid grid;
    info->build(Globals(), grid);
    GridView view;
    view.SetGrid(&grid);
    view.resize(1000, 860);
    view.show();
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum() / 2);
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) view.viewport()->render(&image);
    state.counters["cells"] = static_cast<double>(grid.ColumnCount()) * grid.RowCount();
}

// Paging down the entry grid over 5000 draws, a screenful of 50 rows at a
// time, as the entry window draws it: its cells' delegate and its black
// grid lines.
void BM_PaintEntryGridPageDown(benchmark::State& state) {
    DrawEntryModel model(std::make_unique<EditableRecordSet>(DatabasePath()));
    QTableView view;
    view.setModel(&model);
    view.setItemDelegate(new NumberCellDelegate(&view));
    GridLineStyle lines(Qt::black);
    view.setStyle(&lines);
    view.verticalHeader()->setDefaultSectionSize(13);
    // The window's column widths.
    const double digit = QFontMetricsF(view.font()).horizontalAdvance(QLatin1Char('0'));
    for (int c = 0; c < kEntryColumnCount; ++c) view.setColumnWidth(c, EntryColumnWidth(c, digit));
    view.resize(560, 50 * 13 + view.horizontalHeader()->sizeHint().height());
    view.show();
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    QScrollBar* bar = view.verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() < bar->maximum() ? bar->value() + bar->pageStep() : 0);
        view.viewport()->render(&image);
    }
    state.counters["rows"] = model.rowCount();
}
BENCHMARK(BM_PaintEntryGridPageDown)->Unit(benchmark::kMillisecond);

// The largest grid saved as the export command saves it: laid out in the
// program's font, then written to a file.
void ExportLargest(benchmark::State& state, bool pdf) {
    const AnalysisInfo* info = FindAnalysis("分割6データ分析");
    ResultGrid grid;
    info->build(Globals(), grid);
    const QString path =
        QString::fromStdString(BenchScratchFile(pdf ? "export.pdf" : "export.png"));
    for (auto _ : state) {
        const GridDocument document = AnalysisDocument(
            *info, grid, GridGeometry(grid, ProgramFont(), 96), DrawRangeText(Globals().Draws));
        if (pdf) {
            SavePdf(path, document);
        } else {
            SavePng(path, document);
        }
    }
    state.counters["MB"] = static_cast<double>(QFileInfo(path).size()) / (1 << 20);
    state.counters["rows"] = grid.RowCount();
}
BENCHMARK_CAPTURE(ExportLargest, Pdf, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportLargest, Png, false)->Unit(benchmark::kMillisecond);

void RegisterPerWindow() {
    for (const AnalysisInfo& info : AnalysisCatalog()) {
        if (!info.build) continue;
        const std::string name(info.name);
        benchmark::RegisterBenchmark(("BM_Build/" + name).c_str(), BuildOne, &info)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_LayOut/" + name).c_str(), LayOutOne, &info)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_Paint/" + name).c_str(), PaintOne, &info)
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(ProgramFont());
    RegisterPerWindow();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
