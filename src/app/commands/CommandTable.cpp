#include "app/commands/CommandTable.h"

#include <algorithm>

#include "app/commands/Commands.h"
#include "core/CurrentException.h"
#include "core/PrintableText.h"

namespace {

constexpr std::string_view kFilter = "filter";

// Every option the command line reads: the windowed program's, the shared
// ones (--db, --format, --seed), and each command's own.
constexpr OptionInfo kOptions[] = {
    {"--db"},
    {"--format"},
    {"--from"},
    {"--to"},
    {"--simulations"},
    {"--seed"},
    {"--out"},
    {"--draw"},
    {"--units"},
    {"--memo"},
    {"--sum", true, kFilter},
    {"--odd", true, kFilter},
    {"--low", true, kFilter},
    {"--consecutive", true, kFilter},
    {"--skip", true, kFilter},
    {"--last-digits", true, kFilter},
    {"--same-digit-max", true, kFilter},
    {"--range4", true, kFilter},
    {"--group6", true, kFilter},
    {"--group7", true, kFilter},
    {"--group9", true, kFilter},
    {"--include", true, kFilter, true},
    {"--exclude", true, kFilter, true},
    {"--at-least", true, kFilter, true},
    {"--carry", true, kFilter},
    {"--generate", true, kFilter},
    {"--not-won", false, kFilter},
    {"--spread", false, kFilter},
    {"--numbers"},
    {"--keys"},
    {"--guarantee"},
    {"--seconds"},
    {"--verify"},
    {"--open", true, {}, true},
    {"--open-all", false},
    {"--replace", false},
    {"--text"},
    {"--yes", false},
    {"--quit-when-ready", false},
    {"--data-folder", false},
    {"--version", false},
    {"--help", false},
    {"-h", false},
};

constexpr std::string_view kExitStatuses =
    "終了ステータス: 0 正常終了、1 エラー、2 使い方の誤り、\n"
    "  3 importは終わったが、ファイルと数字が違う登録済みの回をそのままにした\n"
    "    (--text: 読めない部分か、登録済みと違う回があった)\n";

// The filter command's options: the shared ones and every condition.
std::vector<std::string_view> FilterOptions() {
    std::vector<std::string_view> options = {"--db", "--format", "--seed"};
    for (const OptionInfo& option : kOptions) {
        if (option.ownedBy == kFilter) options.push_back(option.name);
    }
    return options;
}

std::vector<CommandInfo> MakeTable() {
    return {
        {.name = "",
         .usage =
             "  loto7kazoria [--db FILE] [--open WINDOW]... [--open-all] [--quit-when-ready]\n"
             "               [--data-folder]\n"
             "                                              ウィンドウを開きます\n"
             "                                              (--data-folder: "
             "データベースのフォルダーを\n"
             "                                               作業フォルダーにします。メニューから\n"
             "                                               起動するときに使います)\n",
         .synopsis =
             ".B loto7kazoria\n.RB [ \\-\\-db\n.IR FILE ]\n.RB [ \\-\\-open\n"
             ".IR WINDOW ]...\\&\n.RB [ \\-\\-open\\-all ]\n.RB [ \\-\\-quit\\-when\\-ready ]\n"
             ".RB [ \\-\\-data\\-folder ]\n"},
        {.name = "import",
         .usage =
             "  loto7kazoria import CSV [--db FILE] [--replace]\n"
             "                                              CSVの当選データを取り込みます\n"
             "                                              (--replace: "
             "登録済みの回と数字が違うとき\n"
             "                                               ファイルの数字で置き換えます)\n"
             "  loto7kazoria import --text FILE|- [--db FILE] [--yes] [--replace]\n"
             "               [--format text|json]\n"
             "                                              結果ページなどからコピーした文字を\n"
             "                                              読んで一覧にします(-: 標準入力。\n"
             "                                               --yes で登録します)\n",
         .synopsis =
             ".B loto7kazoria import\n.I CSV\n.RB [ \\-\\-db\n.IR FILE ]\n"
             ".RB [ \\-\\-replace ]\n.br\n"
             ".B loto7kazoria import \\-\\-text\n.IR FILE | \\-\n.RB [ \\-\\-db\n.IR FILE ]\n"
             ".RB [ \\-\\-yes ]\n.RB [ \\-\\-replace ]\n.RB [ \\-\\-format\n.BR text | json ]\n",
         .options = {"--db", "--replace", "--text", "--yes", "--format"},
         .run = RunImportCommand},
        {.name = "dump",
         .usage = "  loto7kazoria dump WINDOW [--db FILE] [--format json|csv]\n"
                  "                                              ウィンドウの表を出力します\n",
         .synopsis = ".B loto7kazoria dump\n.I WINDOW\n.RB [ \\-\\-db\n.IR FILE ]\n"
                     ".RB [ \\-\\-format\n.BR json | csv ]\n",
         .options = {"--db", "--format"},
         .run = RunDumpCommand,
         .words = 2,
         .formats = true},
        {.name = "export",
         .usage =
             "  loto7kazoria export WINDOW --out FILE [--db FILE]\n"
             "                                              ウィンドウの表をファイルに保存します\n"
             "                                              (形式はFILEの拡張子で決まります:\n"
             "                                               .csv CSV、.png 画像、.pdf PDF)\n",
         .synopsis = ".B loto7kazoria export\n.I WINDOW\n.B \\-\\-out\n.I FILE\n.RB [ \\-\\-db\n"
                     ".IR FILE ]\n",
         .options = {"--db", "--out"},
         .run = RunExportCommand,
         .words = 2,
         .required = "--out"},
        {.name = "backtest",
         .usage = "  loto7kazoria backtest [--db FILE] [--from N] [--to M] [--format json|csv]\n"
                  "                                              "
                  "第N回～第M回の予想を検証します（省略時は\n"
                  "                                               "
                  "予想できる最初の回から最新の回まで）\n",
         .synopsis = ".B loto7kazoria backtest\n.RB [ \\-\\-db\n.IR FILE ]\n.RB [ \\-\\-from\n"
                     ".IR N ]\n.RB [ \\-\\-to\n.IR M ]\n.RB [ \\-\\-format\n.BR json | csv ]\n",
         .options = {"--db", "--from", "--to", "--format"},
         .run = RunBacktestCommand,
         .words = 1,
         .formats = true},
        {.name = "randomness",
         .usage = "  loto7kazoria randomness [--db FILE] [--from N] [--to M] [--simulations K]\n"
                  "                          [--seed S] [--format json|csv]\n"
                  "                                              "
                  "第N回～第M回の当選数字の乱数性を検定します\n"
                  "                                              （K: "
                  "偶然の抽せんのシミュレーション回数、\n"
                  "                                               10000～1000000、省略時10000。S: "
                  "乱数の種）\n",
         .synopsis = ".B loto7kazoria randomness\n.RB [ \\-\\-db\n.IR FILE ]\n.RB [ \\-\\-from\n"
                     ".IR N ]\n.RB [ \\-\\-to\n.IR M ]\n.RB [ \\-\\-simulations\n.IR K ]\n"
                     ".RB [ \\-\\-seed\n.IR S ]\n.RB [ \\-\\-format\n.BR json | csv ]\n",
         .options = {"--db", "--from", "--to", "--simulations", "--seed", "--format"},
         .run = RunRandomnessCommand,
         .words = 1,
         .formats = true},
        {.name = "tickets add",
         .usage = "  loto7kazoria tickets add --draw N[-M] N1 … N7 [--units K] [--memo TEXT] [--db "
                  "FILE]\n"
                  "                                              購入番号を登録します（N-M: "
                  "継続購入）\n",
         .synopsis = ".B loto7kazoria tickets add \\-\\-draw\n.IR N [\\- M ]\n.I N1 ... N7\n"
                     ".RB [ \\-\\-units\n.IR K ]\n.RB [ \\-\\-memo\n.IR TEXT ]\n",
         .options = {"--db", "--draw", "--units", "--memo"},
         .run = RunTicketsAddCommand,
         .group = UsageGroup::Tickets,
         .words = 9,
         .wordsReason = "tickets add には7個の数字を指定してください。",
         .required = "--draw",
         .requiredReason = "tickets add には --draw で購入する回を指定してください。"},
        {.name = "tickets list",
         .usage = "  loto7kazoria tickets list [--db FILE] [--format json|csv]\n"
                  "                                              購入番号の一覧を表示します\n",
         .synopsis = ".B loto7kazoria tickets list\n.RB [ \\-\\-format\n.BR json | csv ]\n",
         .options = {"--db", "--format"},
         .run = RunTicketsListCommand,
         .group = UsageGroup::Tickets,
         .words = 2,
         .wordsReason = "tickets list の指定が違います。",
         .formats = true},
        {.name = "tickets delete",
         .usage = "  loto7kazoria tickets delete ID [--db FILE]   購入番号を削除します\n",
         .synopsis = ".B loto7kazoria tickets delete\n.I ID\n",
         .options = {"--db"},
         .run = RunTicketsDeleteCommand,
         .group = UsageGroup::Tickets,
         .words = 3,
         .wordsReason = "tickets delete には購入番号の番号を1つ指定してください。"},
        {.name = "tickets import",
         .usage =
             "  loto7kazoria tickets import CSV [--db FILE] CSVファイル（回,数字7個,口数,メモ）の\n"
             "                                              購入番号を登録します\n",
         .synopsis = ".B loto7kazoria tickets import\n.I CSV\n",
         .options = {"--db"},
         .run = RunTicketsImportCommand,
         .group = UsageGroup::Tickets,
         .words = 3,
         .wordsReason = "tickets import にはCSVファイルを1つ指定してください。"},
        {.name = "tickets check",
         .usage = "  loto7kazoria tickets check [--draw N] [--db FILE] [--format json|csv]\n"
                  "                                              購入番号の当選と収支を調べます\n",
         .synopsis = ".B loto7kazoria tickets check\n.RB [ \\-\\-draw\n.IR N ]\n"
                     ".RB [ \\-\\-format\n.BR json | csv ]\n",
         .options = {"--db", "--draw", "--format"},
         .run = RunTicketsCheckCommand,
         .group = UsageGroup::Tickets,
         .words = 2,
         .wordsReason = "tickets check の指定が違います。",
         .formats = true},
        // "tickets" without a verb it knows.
        {.name = "tickets", .run = RunTicketsWithoutVerbCommand, .group = UsageGroup::Tickets},
        {.name = "check",
         .usage =
             "  loto7kazoria check N1 … N7 [--db FILE] [--format json|csv]\n"
             "                                              7個の数字が過去の各回で何等だったかを\n"
             "                                              調べます\n",
         .synopsis = ".B loto7kazoria check\n.I N1 ... N7\n.RB [ \\-\\-format\n.BR json | csv ]\n",
         .options = {"--db", "--format"},
         .run = RunQuickCheckCommand,
         .group = UsageGroup::Tickets,
         .words = 8,
         .wordsReason = "check には7個の数字を指定してください。",
         .formats = true,
         .formatReason = "--format には json か csv を指定してください。"},
        {.name = "filter",
         .usage =
             "  loto7kazoria filter [--db FILE] [--sum A-B] [--odd 3,4] [--low 3,4]\n"
             "               [--consecutive 0,1] [--skip 0-2] [--last-digits 5-7]\n"
             "               [--same-digit-max 2] [--range4 1-3/1-3/1-3/1-3]\n"
             "               [--group6 …] [--group7 …] [--group9 …] [--carry 0-2]\n"
             "               [--include 3,7] [--exclude 13] [--at-least 2:1,5,9,12] [--not-won]\n"
             "               [--generate N [--seed S] [--spread]] [--format json|csv]\n"
             "                                              37個から7個のすべての組合せを条件で\n"
             "                                              "
             "絞り込み、残る組合せの数と、過去の当選\n"
             "                                              "
             "番号の残る割合を表示します（--generate:\n"
             "                                              残る組合せからN口を作ります）\n",
         .synopsis = ".B loto7kazoria filter\n.RB [ \\-\\-db\n.IR FILE ]\n.RI [ CONDITIONS ]\n"
                     ".RB [ \\-\\-generate\n.I N\n.RB [ \\-\\-seed\n.IR S ]\n"
                     ".RB [ \\-\\-spread ]]\n.RB [ \\-\\-format\n.BR json | csv ]\n",
         .options = FilterOptions(),
         .run = RunFilterCommand,
         .words = 1,
         .formats = true},
        {.name = "wheel",
         .usage =
             "  loto7kazoria wheel --numbers 1,5,9,… --guarantee T/M [--keys 5,…] [--seconds S]\n"
             "                     [--seed N] [--format json|csv]\n"
             "                                              "
             "選んだ数字から、当選数字がM個以上出れば\n"
             "                                              "
             "少なくとも1枚がT個以上一致する購入番号を\n"
             "                                              作り、保証をすべての場合で確かめます\n"
             "                                              (--numbers 1-12: 1から12まで)\n"
             "                                              (--seconds: "
             "探索時間、既定2秒、最大60秒)\n"
             "  loto7kazoria wheel --verify FILE [--numbers …] [--guarantee T/M] [--format "
             "json|csv]\n"
             "                                              "
             "FILEの購入番号（1行に7個の数字）が保証する\n"
             "                                              ことを確かめます\n",
         .synopsis =
             ".B loto7kazoria wheel\n.B \\-\\-numbers\n.I LIST\n.B \\-\\-guarantee\n.I T/M\n"
             ".RB [ \\-\\-keys\n.IR LIST ]\n.RB [ \\-\\-seconds\n.IR S ]\n"
             ".RB [ \\-\\-seed\n.IR N ]\n.RB [ \\-\\-format\n.BR json | csv ]\n.br\n"
             ".B loto7kazoria wheel \\-\\-verify\n.I FILE\n.RB [ \\-\\-numbers\n.IR LIST ]\n"
             ".RB [ \\-\\-guarantee\n.IR T/M ]\n.RB [ \\-\\-format\n.BR json | csv ]\n",
         .options = {"--numbers", "--keys", "--guarantee", "--seconds", "--seed", "--verify",
                     "--format"},
         .run = RunWheelCommand,
         .words = 1,
         .formats = true},
        {.name = "list",
         .usage =
             "  loto7kazoria list                           dumpとexportのできるウィンドウ名を\n"
             "                                              表示します\n",
         .synopsis = ".B loto7kazoria list\n",
         .run = RunListCommand},
        {.name = "--version",
         .usage = "  loto7kazoria --version                      バージョンを表示します\n",
         .synopsis = ".B loto7kazoria \\-\\-version\n"},
        {.name = "--help",
         .usage = "  loto7kazoria --help, -h                     この使い方を表示します\n",
         .synopsis = ".B loto7kazoria \\-\\-help\n"},
    };
}

// The name's words: "tickets add" is two.
std::vector<std::string_view> NameWords(std::string_view name) {
    std::vector<std::string_view> words;
    while (!name.empty()) {
        const std::size_t space = name.find(' ');
        words.push_back(name.substr(0, space));
        name = space == std::string_view::npos ? std::string_view() : name.substr(space + 1);
    }
    return words;
}

bool NameMatches(const CommandInfo& command, const std::vector<std::string>& words) {
    const std::vector<std::string_view> name = NameWords(command.name);
    if (!command.run || name.empty() || name.size() > words.size()) return false;
    return std::equal(name.begin(), name.end(), words.begin());
}

// The one sentence that ends every failed check, with status 2; the usage
// itself is shown only when asked for (--help).
int UsageFailure(std::ostream& err, std::string_view reason) {
    err << reason << "\n";
    return kStatusUsage;
}

// Why the words do not fit a command that has no sentence of its own: the
// first word too many, or that some are missing.
std::string WordsReason(const CommandInfo& command, const CommandArgs& args) {
    if (!command.wordsReason.empty()) return std::string(command.wordsReason);
    const auto expected = static_cast<std::size_t>(command.words);
    if (args.WordCount() > expected) {
        return std::string(command.name) + " には「" + PrintableText(args.Word(expected), 24) +
               "」は指定できません。";
    }
    return std::string(command.name) + " の指定が足りません。";
}

}  // namespace

const OptionInfo* FindOption(std::string_view name) {
    for (const OptionInfo& option : kOptions) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

const std::vector<CommandInfo>& CommandTable() {
    static const std::vector<CommandInfo> table = MakeTable();
    return table;
}

const CommandInfo* FindCommand(const std::vector<std::string>& words) {
    const CommandInfo* found = nullptr;
    for (const CommandInfo& command : CommandTable()) {
        if (NameMatches(command, words) &&
            (!found || NameWords(command.name).size() > NameWords(found->name).size())) {
            found = &command;
        }
    }
    return found;
}

std::string UsageText() {
    std::string text = "使い方:\n";
    for (const CommandInfo& command : CommandTable()) text += command.usage;
    return text += kExitStatuses;
}

std::string UsageTextOf(const CommandInfo& command) {
    if (command.group == UsageGroup::All) return UsageText();
    std::string text = "使い方:\n";
    for (const CommandInfo& other : CommandTable()) {
        if (other.group == command.group) text += other.usage;
    }
    return text;
}

std::string SynopsisRoff() {
    std::string roff;
    for (const CommandInfo& command : CommandTable()) {
        if (command.synopsis.empty()) continue;
        if (!roff.empty()) roff += ".br\n";
        roff += command.synopsis;
    }
    return roff;
}

namespace {

// An option the command does not take, or a second value of one that
// cannot add up: the sentence that refuses it, or empty.  --db names the
// database of every command.
std::string RefusedOption(const CommandInfo& command, const CommandArgs& args) {
    std::vector<std::string_view> seen;
    for (const auto& [name, value] : args.Options()) {
        if (name == "--db") continue;
        if (std::find(command.options.begin(), command.options.end(), name) ==
            command.options.end()) {
            return std::string(command.name) + " には " + name + " は使えません。";
        }
        const OptionInfo* option = FindOption(name);
        if (std::find(seen.begin(), seen.end(), name) != seen.end() && option && !option->repeats) {
            return name + " は1回だけ指定してください。";
        }
        seen.push_back(name);
    }
    return {};
}

}  // namespace

int RunCommand(const CommandInfo& command, const CommandArgs& args, std::ostream& out,
               std::ostream& err) {
    try {
        if (const std::string refused = RefusedOption(command, args); !refused.empty()) {
            return UsageFailure(err, refused);
        }
        if (!command.required.empty() && !args.Has(command.required)) {
            return UsageFailure(err, command.requiredReason.empty()
                                         ? std::string(command.name) + " には " +
                                               std::string(command.required) +
                                               " を指定してください。"
                                         : std::string(command.requiredReason));
        }
        if (command.words >= 0 && static_cast<int>(args.WordCount()) != command.words) {
            return UsageFailure(err, WordsReason(command, args));
        }
        if (command.formats && args.Format() != "json" && args.Format() != "csv") {
            return UsageFailure(err, command.formatReason.empty()
                                         ? "--format には json か csv を指定してください。"
                                         : command.formatReason);
        }
        return command.run(args, out, err);
    } catch (const UsageError& e) {
        return UsageFailure(err, e.what());
    } catch (...) {
        err << MessageOfCurrentException() << "\n";
        return kStatusError;
    }
}
