#include "app/CommandLine.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <tuple>

#include "analysis/AnalysisCatalog.h"
#include "analysis/RandomnessGrid.h"
#include "app/FilterCommand.h"
#include "app/TicketCommands.h"
#include "core/CurrentException.h"
#include "core/FileAccess.h"
#include "core/GridDump.h"
#include "core/PrintableText.h"
#include "data/CsvImport.h"
#include "data/DrawStoreLoader.h"
#include "grid/GridDocument.h"
#include "grid/GridExport.h"
#include "grid/ProgramLook.h"
#include "prediction/BacktestFamily.h"
#include "prediction/BacktestGrid.h"
#include "prediction/BacktestJson.h"
#include "prediction/PredictionModel.h"
#include "prediction/WheelGrid.h"
#include "prediction/WheelJson.h"
#include "prediction/WheelSearch.h"
#include "ui/WindowDocuments.h"

namespace {

constexpr const char* kUsageHead =
    "使い方:\n"
    "  loto7kazoria [--db FILE] [--open WINDOW]... [--open-all] [--quit-when-ready]\n"
    "               [--data-folder]\n"
    "                                              ウィンドウを開きます\n"
    "                                              (--data-folder: データベースのフォルダーを\n"
    "                                               作業フォルダーにします。メニューから\n"
    "                                               起動するときに使います)\n"
    "  loto7kazoria import CSV [--db FILE] [--replace]\n"
    "                                              CSVの当選データを取り込みます\n"
    "                                              (--replace: 登録済みの回と数字が違うとき\n"
    "                                               ファイルの数字で置き換えます)\n"
    "  loto7kazoria dump WINDOW [--db FILE] [--format json|csv]\n"
    "                                              ウィンドウの表を出力します\n"
    "  loto7kazoria export WINDOW --out FILE [--db FILE]\n"
    "                                              ウィンドウの表をファイルに保存します\n"
    "                                              (形式はFILEの拡張子で決まります:\n"
    "                                               .csv CSV、.png 画像、.pdf PDF)\n"
    "  loto7kazoria backtest [--db FILE] [--from N] [--to M] [--format json|csv]\n"
    "                                              第N回～第M回の予想を検証します（省略時は\n"
    "                                               予想できる最初の回から最新の回まで）\n"
    "  loto7kazoria randomness [--db FILE] [--from N] [--to M] [--simulations K]\n"
    "                          [--seed S] [--format json|csv]\n"
    "                                              第N回～第M回の当選数字の乱数性を検定します\n"
    "                                              （K: 偶然の抽せんのシミュレーション回数、\n"
    "                                               10000～1000000、省略時10000。S: 乱数の種）\n";
constexpr const char* kUsageTail =
    "  loto7kazoria filter [--db FILE] [--sum A-B] [--odd 3,4] [--low 3,4]\n"
    "               [--consecutive 0,1] [--skip 0-2] [--last-digits 5-7]\n"
    "               [--same-digit-max 2] [--range4 1-3/1-3/1-3/1-3]\n"
    "               [--group6 …] [--group7 …] [--group9 …] [--carry 0-2]\n"
    "               [--include 3,7] [--exclude 13] [--at-least 2:1,5,9,12] [--not-won]\n"
    "               [--generate N [--seed S] [--spread]] [--format json|csv]\n"
    "                                              37個から7個のすべての組合せを条件で\n"
    "                                              絞り込み、残る組合せの数と、過去の当選\n"
    "                                              番号の残る割合を表示します（--generate:\n"
    "                                              残る組合せからN口を作ります）\n"
    "  loto7kazoria wheel --numbers 1,5,9,… --guarantee T/M [--keys 5,…] [--seconds S]\n"
    "                     [--seed N] [--format json|csv]\n"
    "                                              選んだ数字から、当選数字がM個以上出れば\n"
    "                                              少なくとも1枚がT個以上一致する購入番号を\n"
    "                                              作り、保証をすべての場合で確かめます\n"
    "                                              (--numbers 1-12: 1から12まで)\n"
    "                                              (--seconds: 探索時間、既定2秒、最大60秒)\n"
    "  loto7kazoria wheel --verify FILE [--numbers …] [--guarantee T/M] [--format json|csv]\n"
    "                                              FILEの購入番号（1行に7個の数字）が保証する\n"
    "                                              ことを確かめます\n"
    "  loto7kazoria list                           dumpとexportのできるウィンドウ名を\n"
    "                                              表示します\n"
    "  loto7kazoria --version                      バージョンを表示します\n"
    "  loto7kazoria --help, -h                     この使い方を表示します\n"
    "終了ステータス: 0 正常終了、1 エラー、2 使い方の誤り、\n"
    "  3 importは終わったが、ファイルと数字が違う登録済みの回をそのままにした\n";
const std::string kUsage = std::string(kUsageHead) + kTicketUsage + kUsageTail;

int RunImport(const StartOptions& o, std::ostream& out, std::ostream& err) {
    if (o.words.size() != 2) {
        err << kUsage;
        return 2;
    }
    const ImportReport report = ImportCsv(
        o.words[1], o.databasePath, o.replace ? ImportMode::ReplaceStored : ImportMode::KeepStored);
    for (const std::string& line : report.replaced) out << line << "\n";
    for (const std::string& line : report.conflicts) err << line << "\n";
    if (!report.missing.empty()) err << MissingDrawsWarning(report.missing) << "\n";
    out << ImportSummary(report, o.databasePath) << "\n";
    return report.conflicts.empty() ? 0 : kStatusConflicts;
}

int RunList(std::ostream& out) {
    for (const AnalysisInfo& info : AnalysisCatalog()) {
        if (info.build) out << info.name << "\n";
    }
    out << kPredictionWindowName << "\n";
    return 0;
}

void PrintGrids(const StartOptions& o, std::ostream& out, const std::string& window,
                const std::string& caption, const std::vector<NamedGrid>& grids) {
    if (o.format == "csv") {
        DumpCsv(out, grids);
    } else {
        DumpJson(out, window, caption, grids);
    }
}

// A window's grids as dump and export take them, built from the database
// as the window builds them.
struct WindowGrids {
    std::string name, caption;
    const AnalysisInfo* analysis = nullptr;  // null for the prediction window
    GlobalBas snapshot;
    ResultGrid grid;             // an analysis window's
    PredictionModel prediction;  // the prediction window's

    std::vector<NamedGrid> Named() const {
        if (analysis) return {{"fpSpread1", &grid}};
        std::vector<NamedGrid> grids;
        for (int index = 0; index < kPredictionGridCount; ++index) {
            grids.push_back({PredictionGridName(index), &prediction.Grid(index)});
        }
        return grids;
    }
};

// Builds the named window's grids.  The prediction window takes the flags of
// the options file in the current directory, as the program reads them at
// start-up.  Returns 0; 1 when the build stopped or the prediction has a
// message for the user (the grids hold what was built, the message is on
// err); 2 for a name no window has.
int BuildWindow(const StartOptions& o, const std::string& name, WindowGrids& w, std::ostream& err) {
    w.name = name;
    if (name == kPredictionWindowName) {
        w.caption = kPredictionWindowName;
        for (const std::string& note : w.prediction.Options().ReadInitFile()) err << note << "\n";
        OpenDrawStore(w.snapshot, o.databasePath);
        w.prediction.Load(w.snapshot);
        if (w.prediction.Message().empty()) return 0;
        err << w.prediction.Message() << "\n";
        return 1;
    }
    w.analysis = FindAnalysis(name);
    if (!w.analysis || !w.analysis->build) {
        err << "ウィンドウ「" << PrintableText(name)
            << "」は出力できません。loto7kazoria list で名前を確かめてください。\n";
        return 2;
    }
    w.caption = w.analysis->caption;
    OpenDrawStore(w.snapshot, o.databasePath);
    try {
        w.analysis->build(w.snapshot, w.grid);
    } catch (const BuildStopped& stopped) {
        err << stopped.what() << "\n";
        return 1;
    }
    return 0;
}

int RunDump(const StartOptions& o, std::ostream& out, std::ostream& err) {
    if (o.words.size() != 2 || (o.format != "json" && o.format != "csv")) {
        err << kUsage;
        return 2;
    }
    WindowGrids w;
    const int status = BuildWindow(o, o.words[1], w, err);
    if (status == 2) return status;
    PrintGrids(o, out, w.name, w.caption, w.Named());
    return status;
}

enum class ExportFormat { Csv, Png, Pdf };

std::optional<ExportFormat> FormatOf(const std::string& path) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix == QLatin1String("csv")) return ExportFormat::Csv;
    if (suffix == QLatin1String("png")) return ExportFormat::Png;
    if (suffix == QLatin1String("pdf")) return ExportFormat::Pdf;
    return std::nullopt;
}

// The window's document as the window would print it: its grids laid out
// in the program's font at the screen's resolution.
GridDocument DocumentOf(const WindowGrids& w) {
    const QFont font = ProgramFont();
    const double dpi = ScreenDpi();
    if (w.analysis) {
        return AnalysisDocument(*w.analysis, w.grid, GridGeometry(w.grid, font, dpi), w.snapshot);
    }
    std::array<GridGeometry, kPredictionGridCount> geometries;
    for (int index = 0; index < kPredictionGridCount; ++index) {
        geometries[index] = GridGeometry(w.prediction.Grid(index), font, dpi);
    }
    return PredictionDocument(w.prediction, geometries, w.snapshot, font, dpi);
}

// Writes a window's grids to a file whose extension names the format; a
// build that stopped writes what was built, with status 1.
int RunExport(const StartOptions& o, std::ostream& err) {
    if (o.words.size() != 2 || o.out.empty()) {
        err << kUsage;
        return 2;
    }
    const std::optional<ExportFormat> format = FormatOf(o.out);
    if (!format) {
        err << "--out のファイル名は .csv、.png、.pdf のどれかで終えてください。\n" << kUsage;
        return 2;
    }
    if (*format != ExportFormat::Csv &&
        !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        err << "画像とPDFは、描画のできるアプリケーションの中でしか作れません。\n";
        return 1;
    }
    WindowGrids w;
    const int status = BuildWindow(o, o.words[1], w, err);
    if (status == 2) return status;
    const QString path = QString::fromStdString(o.out);
    if (*format == ExportFormat::Csv) {
        SaveCsv(path, w.Named(), CsvEncoding::Utf8);
    } else if (*format == ExportFormat::Png) {
        SavePng(path, DocumentOf(w));
    } else {
        SavePdf(path, DocumentOf(w));
    }
    return status;
}

// Replays every prediction method over past draws with the flags of the
// options file in the current directory and prints the comparison with chance.
int RunBacktest(const StartOptions& o, std::ostream& out, std::ostream& err) {
    if (o.words.size() != 1 || (o.format != "json" && o.format != "csv")) {
        err << kUsage;
        return 2;
    }
    ReflectOptions options;
    for (const std::string& note : options.ReadInitFile()) err << note << "\n";
    GlobalBas g;
    OpenDrawStore(g, o.databasePath);
    const std::optional<BacktestRange> whole = DefaultBacktestRange(g.Draws, options);
    if (!whole) {
        err << "すべての手法が予想できるだけの当選データがないため、予想を検証できません。\n";
        return 1;
    }
    std::string problem;
    const std::optional<BacktestRange> range =
        ChooseBacktestRange(*whole, o.backtestFrom, o.backtestTo, problem);
    if (!range) {
        err << problem << "\n" << kUsage;
        return 2;
    }
    BacktestResult result = ::RunBacktest(g.Draws, options, *range);
    AddFamilyPValues(result);
    if (o.format == "csv") {
        ResultGrid grid;
        WriteBacktestGrid(result, grid);
        DumpCsv(out, {{kBacktestGridName, &grid}});
    } else {
        WriteBacktestJson(out, result);
    }
    return 0;
}

// A whole number in [low, high] typed for `option`; nullopt (and the
// message in `problem`) when it is not one.
template <typename T>
std::optional<T> WholeNumberOption(const std::string& option, const std::string& text, T low,
                                   T high, std::string& problem) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [last, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || last != end || value < low || value > high) {
        problem = option + " には" + std::to_string(low) + "～" + std::to_string(high) +
                  "の整数を指定してください。";
        return std::nullopt;
    }
    return value;
}

// Tests the stored draws against fair draws and prints every test, the
// Holm adjustment and the conclusion.
int RunRandomnessCommand(const StartOptions& o, std::ostream& out, std::ostream& err) {
    if (o.words.size() != 1 || (o.format != "json" && o.format != "csv")) {
        err << kUsage;
        return 2;
    }
    GlobalBas g;
    OpenDrawStore(g, o.databasePath);
    const std::optional<RandomnessRange> whole = WholeRandomnessRange(g.Draws);
    if (!whole) {
        err << "検定できる当選データが2回分以上ありません。\n";
        return 1;
    }
    std::string problem;
    RandomnessRange range = *whole;
    int simulations = kRandomnessSimulations;
    std::uint64_t seed = kRandomnessSeed;
    const auto usage = [&] {
        err << problem << "\n" << kUsage;
        return 2;
    };
    if (o.backtestFrom) {
        const auto v = WholeNumberOption(std::string("--from"), *o.backtestFrom, whole->from,
                                         whole->to, problem);
        if (!v) return usage();
        range.from = *v;
    }
    if (o.backtestTo) {
        const auto v =
            WholeNumberOption(std::string("--to"), *o.backtestTo, whole->from, whole->to, problem);
        if (!v) return usage();
        range.to = *v;
    }
    if (o.simulations) {
        const auto v =
            WholeNumberOption(std::string("--simulations"), *o.simulations,
                              kMinRandomnessSimulations, kMaxRandomnessSimulations, problem);
        if (!v) return usage();
        simulations = *v;
    }
    if (o.seed) {
        const auto v = WholeNumberOption(std::string("--seed"), *o.seed, std::uint64_t{0},
                                         std::numeric_limits<std::uint64_t>::max(), problem);
        if (!v) return usage();
        seed = *v;
    }
    if (RandomnessHistory(g.Draws, range).size() < 2) {
        problem = "--from と --to の間に、検定できる当選データが2回分以上ありません。";
        return usage();
    }
    const std::optional<RandomnessResult> result = RunRandomness(g.Draws, range, simulations, seed);
    if (o.format == "csv") {
        ResultGrid grid;
        WriteRandomnessGrid(*result, grid);
        DumpCsv(out, {{kRandomnessName, &grid}});
    } else {
        WriteRandomnessJson(out, *result);
    }
    return 0;
}

constexpr std::uintmax_t kMaxTicketListBytes = 16 * 1024 * 1024;

// A usage error of wheel: the reason, then the usage; status 2.
int WheelUsage(std::ostream& err, const std::string& reason) {
    err << reason << "\n" << kUsage;
    return 2;
}

void PrintWheel(const StartOptions& o, const WheelReport& report, std::ostream& out) {
    if (o.format == "csv") {
        WheelGrids grids;
        WriteWheelGrids(report, grids);
        DumpCsv(out, grids.Named());
    } else {
        WriteWheelJson(out, report);
    }
}

// The options of wheel read into a request; the reason when one is wrong.
std::optional<std::string> ReadWheelOptions(const StartOptions& o, WheelRequest& request,
                                            WheelSearchOptions& search) {
    if (o.wheelNumbers) {
        const auto numbers = ParseNumberList(*o.wheelNumbers);
        if (!numbers)
            return "--numbers は 1,5,9 のように、数字をコンマで区切って指定してください。";
        request.numbers = *numbers;
    }
    if (o.wheelKeys) {
        const auto keys = ParseNumberList(*o.wheelKeys);
        if (!keys) return "--keys は 5,9 のように、数字をコンマで区切って指定してください。";
        request.keys = *keys;
    }
    if (o.wheelGuarantee) {
        const auto tm = ParseGuarantee(*o.wheelGuarantee);
        if (!tm) return "--guarantee は 4/5 のように「一致数/出た数」で指定してください。";
        std::tie(request.t, request.m) = *tm;
    }
    if (o.wheelSeconds) {
        char* end = nullptr;
        const double seconds = std::strtod(o.wheelSeconds->c_str(), &end);
        if (o.wheelSeconds->empty() || *end != '\0' || !(seconds > 0) ||
            seconds > kMaxWheelSeconds) {
            return "--seconds は0より大きく60以下の秒数で指定してください。";
        }
        search.seconds = seconds;
    }
    if (o.seed) {
        const std::string& text = *o.seed;
        const auto [end, error] =
            std::from_chars(text.data(), text.data() + text.size(), search.seed);
        if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
            return "--seed は0以上の整数で指定してください。";
        }
    }
    return std::nullopt;
}

// Checks the guarantee of a ticket list the user brought.
int RunWheelVerify(const StartOptions& o, std::ostream& out, std::ostream& err) {
    if (o.wheelKeys || o.wheelSeconds || o.seed) {
        return WheelUsage(err, "--verify には --keys、--seconds、--seed は使えません。");
    }
    WheelRequest request;
    WheelSearchOptions search;
    if (const auto reason = ReadWheelOptions(o, request, search)) return WheelUsage(err, *reason);
    std::vector<NumberMask> tickets;
    try {
        tickets = ReadTicketList(
            ReadBoundedFile(*o.wheelVerify, kMaxTicketListBytes, "購入番号のファイル"),
            PrintableText(*o.wheelVerify));
    } catch (const UserError& e) {
        return WheelUsage(err, e.what());
    }
    std::optional<std::pair<int, int>> asked;
    if (o.wheelGuarantee) {
        asked = std::pair{request.t, request.m};
        NumberMask all = MaskOf(request.numbers);
        if (request.numbers.empty()) {
            for (NumberMask t : tickets) all |= t;
        }
        const WheelRequest check{NumbersOf(all), {}, request.t, request.m};
        if (o.wheelNumbers) {
            if (const auto reason =
                    CheckWheelRequest({request.numbers, {}, request.t, request.m})) {
                return WheelUsage(err, *reason);
            }
        } else if (request.t < 1 || request.m < request.t || request.m > kWheelTicketSize ||
                   request.m > static_cast<int>(check.numbers.size())) {
            return WheelUsage(
                err,
                "保証は「t/m」で、1 ≦ t ≦ m ≦ 7 の数（mは数字の個数以下）で指定してください。");
        }
    } else if (o.wheelNumbers) {
        if (const auto reason = CheckWheelRequest({request.numbers, {}, 1, 1}))
            return WheelUsage(err, *reason);
    }
    PrintWheel(o, ReportOfTickets(tickets, request.numbers, asked), out);
    return 0;
}

// Makes a wheel for the chosen numbers and prints it with its proof.
int RunWheel(const StartOptions& o, std::ostream& out, std::ostream& err) {
    if (o.words.size() != 1 || (o.format != "json" && o.format != "csv")) {
        err << kUsage;
        return 2;
    }
    if (o.wheelVerify) return RunWheelVerify(o, out, err);
    if (!o.wheelNumbers || !o.wheelGuarantee) {
        return WheelUsage(err, "wheel には --numbers と --guarantee が必要です。");
    }
    WheelRequest request;
    WheelSearchOptions search;
    if (const auto reason = ReadWheelOptions(o, request, search)) return WheelUsage(err, *reason);
    if (const auto reason = CheckWheelRequest(request)) return WheelUsage(err, *reason);
    if (const auto limit = WheelSearchLimit(request)) return WheelUsage(err, *limit);
    const std::optional<WheelResult> result = SearchWheel(request, search);
    if (!result) {
        err << "保証を確かめられる購入番号を作れませんでした。\n";
        return 1;
    }
    PrintWheel(o, ReportOfWheel(*result, search.seed), out);
    return 0;
}

// Counts the combinations the conditions keep and how many past draws they
// would have kept, and draws tickets from the combinations kept.
int RunFilter(const StartOptions& o, std::ostream& out, std::ostream& err) {
    if (o.words.size() != 1 || (o.format != "json" && o.format != "csv")) {
        err << kUsage;
        return 2;
    }
    auto conditions = o.filterOptions;  // --seed is read for every command that draws at random
    if (o.seed) conditions.emplace_back("--seed", *o.seed);
    const int status = RunFilterCommand(conditions, o.databasePath, o.format, out, err);
    if (status == 2) err << kUsage;
    return status;
}

}  // namespace

StartOptions ParseArguments(const std::vector<std::string>& args,
                            const std::string& defaultDatabasePath) {
    StartOptions o;
    o.databasePath = defaultDatabasePath;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) throw UserError(a + " には値が必要です。\n" + kUsage);
            return args[++i];
        };
        if (a == "--db") {
            o.databasePath = value();
            o.databaseGiven = true;
            if (o.databasePath.empty()) {
                throw UserError("--db にはデータベースファイルの名前を指定してください。\n" +
                                std::string(kUsage));
            }
        } else if (a == "--format") {
            o.format = value();
        } else if (a == "--from") {
            o.backtestFrom = value();
        } else if (a == "--to") {
            o.backtestTo = value();
        } else if (a == "--simulations") {
            o.simulations = value();
        } else if (a == "--seed") {
            o.seed = value();
        } else if (a == "--out") {
            o.out = value();
            if (o.out.empty()) {
                throw UserError("--out には保存するファイルの名前を指定してください。\n" +
                                std::string(kUsage));
            }
        } else if (a == "--draw") {
            o.draw = value();
        } else if (a == "--units") {
            o.units = value();
        } else if (a == "--memo") {
            o.memo = value();
        } else if (bool takesValue = false; IsFilterOption(a, takesValue)) {
            o.filterOptions.emplace_back(a, takesValue ? value() : std::string());
        } else if (a == "--numbers") {
            o.wheelNumbers = value();
        } else if (a == "--keys") {
            o.wheelKeys = value();
        } else if (a == "--guarantee") {
            o.wheelGuarantee = value();
        } else if (a == "--seconds") {
            o.wheelSeconds = value();
        } else if (a == "--verify") {
            o.wheelVerify = value();
        } else if (a == "--open") {
            o.openWindows.push_back(value());
        } else if (a == "--open-all") {
            o.openAll = true;
        } else if (a == "--replace") {
            o.replace = true;
        } else if (a == "--quit-when-ready") {
            o.quitWhenReady = true;
        } else if (a == "--data-folder") {
            o.dataFolder = true;
        } else if (a == "--version") {
            o.showVersion = true;
        } else if (a == "--help" || a == "-h") {
            o.showHelp = true;
        } else if (a.rfind("--", 0) == 0 || (a.rfind("-", 0) == 0 && a.size() > 1)) {
            throw UserError("知らないオプション「" + PrintableText(a) + "」です。\n" + kUsage);
        } else {
            o.words.push_back(a);
        }
    }
    if (!o.filterOptions.empty() && (o.words.empty() || o.words.front() != "filter")) {
        throw UserError(o.filterOptions.front().first + " は filter コマンドの条件です。\n" +
                        std::string(kUsage));
    }
    if (o.dataFolder && !o.words.empty()) {
        throw UserError("--data-folder はウィンドウを開くときだけ使えます。\n" +
                        std::string(kUsage));
    }
    return o;
}

bool IsHeadlessCommand(const StartOptions& o) {
    return o.showVersion || o.showHelp || !o.words.empty();
}

bool CommandDraws(const StartOptions& o) {
    if (o.showVersion || o.showHelp || o.words.empty() || o.words.front() != "export") {
        return false;
    }
    const std::optional<ExportFormat> format = FormatOf(o.out);
    return format && *format != ExportFormat::Csv;
}

int RunHeadlessCommand(const StartOptions& o, std::ostream& out, std::ostream& err) {
    // Asked for, the usage text is the answer: on standard output, done.
    if (o.showHelp) {
        out << kUsage;
        return 0;
    }
    if (o.showVersion) {
        out << "ロト7カゾリアLite " LOTO7_VERSION "\n";
        return 0;
    }
    try {
        const std::string& command = o.words.front();
        if (command == "import") return RunImport(o, out, err);
        if (command == "dump") return RunDump(o, out, err);
        if (command == "export") return RunExport(o, err);
        if (command == "backtest") return RunBacktest(o, out, err);
        if (command == "randomness") return RunRandomnessCommand(o, out, err);
        if (command == "list") return RunList(out);
        if (command == "tickets") return RunTickets(o, out, err);
        if (command == "check") return RunQuickCheck(o, out, err);
        if (command == "filter") return RunFilter(o, out, err);
        if (command == "wheel") return RunWheel(o, out, err);
        err << "知らないコマンド「" << PrintableText(command) << "」です。\n" << kUsage;
        return 2;
    } catch (...) {
        err << MessageOfCurrentException() << "\n";
        return 1;
    }
}
