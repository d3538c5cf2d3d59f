#include "app/CommandLine.h"

#include <algorithm>

#include "analysis/AnalysisCatalog.h"
#include "app/MenuTable.h"
#include "app/commands/CommandTable.h"
#include "app/commands/ExportCommand.h"
#include "core/CurrentException.h"
#include "core/PrintableText.h"

namespace {

// A usage error of the command line itself: the sentence alone.
[[noreturn]] void Refuse(const std::string& why) { throw UserError(why); }

}  // namespace

StartOptions ParseArguments(const std::vector<std::string>& args,
                            const std::string& defaultDatabasePath) {
    StartOptions o;
    o.databasePath = defaultDatabasePath;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const OptionInfo* option = FindOption(a);
        if (!option) {
            // "-1" is a (wrong) number the command reads, not an option.
            const bool negative = a.size() > 1 && a[0] == '-' && a[1] >= '0' && a[1] <= '9';
            if (!negative && (a.rfind("--", 0) == 0 || (a.rfind("-", 0) == 0 && a.size() > 1))) {
                Refuse("知らないオプション「" + PrintableText(a) + "」です。");
            }
            o.words.push_back(a);
            continue;
        }
        std::string value;
        if (option->takesValue) {
            if (i + 1 >= args.size()) Refuse(a + " には値が必要です。");
            value = args[++i];
        }
        if (a == "--db") {
            if (value.empty()) Refuse("--db にはデータベースファイルの名前を指定してください。");
            o.databasePath = value;
            o.databaseGiven = true;
        } else if (a == "--out" && value.empty()) {
            Refuse("--out には保存するファイルの名前を指定してください。");
        } else if (a == "--open") {
            o.openWindows.push_back(value);
        }
        o.openAll = o.openAll || a == "--open-all";
        o.quitWhenReady = o.quitWhenReady || a == "--quit-when-ready";
        o.dataFolder = o.dataFolder || a == "--data-folder";
        o.showVersion = o.showVersion || a == "--version";
        o.showHelp = o.showHelp || a == "--help" || a == "-h";
        o.options.emplace_back(a, value);
    }
    // An option a command owns belongs with that command alone.
    for (const GivenOption& given : o.options) {
        const std::string_view owner = FindOption(given.first)->ownedBy;
        if (!owner.empty() && (o.words.empty() || o.words.front() != owner)) {
            Refuse(given.first + " は " + std::string(owner) + " コマンドの条件です。");
        }
    }
    // A window that is not there is a mistake of the command line, told
    // before any window opens.
    for (const std::string& window : o.openWindows) {
        if (!FindMenuWindowNamed(window.c_str()) && !FindAnalysis(window)) {
            Refuse("ウィンドウ「" + PrintableText(window) +
                   "」はありません。loto7kazoria list で名前を確かめてください。");
        }
    }
    if (o.dataFolder && !o.words.empty()) {
        Refuse("--data-folder はウィンドウを開くときだけ使えます。");
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
    const std::optional<ExportFormat> format =
        ExportFormatOf(LastValue(o.options, "--out").value_or(""));
    return format && *format != ExportFormat::Csv;
}

int RunHeadlessCommand(const StartOptions& o, std::ostream& out, std::ostream& err) {
    // Asked for, the usage text is the answer: on standard output, done.
    if (o.showHelp) {
        const CommandInfo* command = o.words.empty() ? nullptr : FindCommand(o.words);
        out << (command ? UsageTextOf(*command) : UsageText());
        return kStatusDone;
    }
    if (o.showVersion) {
        out << "ロト7カゾリアLite " LOTO7_VERSION "\n";
        return kStatusDone;
    }
    const CommandInfo* command = FindCommand(o.words);
    if (!command) {
        err << "知らないコマンド「" << PrintableText(o.words.front())
            << "」です。使えるコマンドは loto7kazoria --help で表示します。\n";
        return kStatusUsage;
    }
    return RunCommand(*command, CommandArgs(o.words, o.options, o.databasePath), out, err);
}
