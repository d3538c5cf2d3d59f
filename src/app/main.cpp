#include <QDir>
#include <QGuiApplication>
#include <QTimer>
#include <csignal>
#include <iostream>
#include <memory>
#include <optional>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/FontDatabaseFiller.h"
#include "app/MainFrm.h"
#include "app/ReadyQuitter.h"
#include "core/CurrentException.h"
#include "core/GlobalBas.h"
#include "core/PrintableText.h"
#include "data/DrawStoreLoader.h"
#include "grid/ProgramLook.h"
#include "ui/AppIcon.h"
#include "ui/Messages.h"

namespace {

std::vector<std::string> Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

// Every start but list and --version reads or writes the database.  An
// unknown command counts too: a command added later then finds the database
// made, and a mistyped one at worst makes it a start early.
bool UsesDatabase(const StartOptions& options) {
    return !options.showVersion && !options.showHelp &&
           (options.words.empty() || options.words.front() != "list");
}

// True when this start uses the default database, which it then seeds.
bool UsesDefaultDatabase(const StartOptions& options) {
    return !options.databaseGiven && UsesDatabase(options);
}

// The application a start without windows runs under: a QGuiApplication
// with the program's font for a command that draws, on the offscreen
// platform where no platform is chosen and there is no display; else a
// QCoreApplication.
std::unique_ptr<QCoreApplication> MakeHeadlessApplication(int& argc, char** argv) {
    bool draws = false;
    try {
        draws = CommandDraws(ParseArguments(Arguments(argc, argv), ""));
    } catch (...) {
        // Reported once the application is there.
    }
    if (!draws) return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    QGuiApplication::setFont(ProgramFont());
    return app;
}

// Runs a start without windows; its exit status, or none when the start
// opens the windows (options and place then filled in for them).
std::optional<int> RunHeadless(int argc, char** argv, StartOptions& options, DataFolder& place) {
    const std::unique_ptr<QCoreApplication> app = MakeHeadlessApplication(argc, argv);
    try {
        options = ParseArguments(Arguments(argc, argv), "");
    } catch (...) {
        std::cerr << MessageOfCurrentException() << "\n";
        return 2;
    }
    // The user's data folder is only looked for when needed: --db works
    // even where it cannot be found.
    if (options.dataFolder || UsesDefaultDatabase(options)) {
        place = FindDataFolder(QCoreApplication::applicationDirPath().toStdString());
        if (!options.databaseGiven) options.databasePath = place.database.string();
    }
    if (!IsHeadlessCommand(options)) return std::nullopt;
    if (UsesDefaultDatabase(options)) {
        const std::string note = PrepareDataFolder(place);
        if (!note.empty()) std::cerr << note << "\n";
    }
    return RunHeadlessCommand(options, std::cout, std::cerr);
}

// Creates the default database when missing (the returned text says so)
// and, for --data-folder, makes the data folder the working folder, where
// the options file and the help file are looked for.
std::string PrepareStart(StartOptions& options, const DataFolder& place) {
    std::string note;
    if (UsesDefaultDatabase(options)) {
        note = PrepareDataFolder(place);
    } else if (options.dataFolder) {
        options.databasePath = std::filesystem::absolute(options.databasePath).string();
        MakeDataFolder(place.folder);
    }
    if (options.dataFolder && !QDir::setCurrent(QString::fromStdString(place.folder.string()))) {
        throw UserError("フォルダー「" + PrintableText(place.folder.string()) +
                        "」を作業フォルダーにできません。");
    }
    return note;
}

int RunWindows(int argc, char** argv, StartOptions& options, const DataFolder& place) {
    Application app(argc, argv);
    const FontDatabaseFiller fonts;
    QApplication::setApplicationName(QStringLiteral("ロト7カゾリアLite"));
    QApplication::setWindowIcon(AppIcon());
    if (options.quitWhenReady) SetQuietMessages(true);
    GlobalBas globals;
    std::string note;
    try {
        note = PrepareStart(options, place);
    } catch (...) {
        ShowMessage(nullptr, QString::fromStdString(MessageOfCurrentException()));
        return 1;
    }
    std::future<GlobalBas> draws = OpenDrawStoreAhead(options.databasePath);
    MainFrm main(globals, options.databasePath);
    try {
        main.Form_Load(std::move(draws));
    } catch (...) {
        ShowMessage(nullptr, QString::fromStdString(MessageOfCurrentException()));
        return 1;
    }
    main.show();
    if (!note.empty()) {
        ShowMessage(&main, QString::fromStdString(note), QMessageBox::Information,
                    QApplication::applicationName());
    }
    if (options.openAll) OpenEveryWindow(main);
    // The prediction window opens as soon as the main window is up, also
    // where no window manager activates the main window.
    main.mnuYoso_Click();
    for (const std::string& name : options.openWindows) {
        if (!main.OpenWindow(QString::fromStdString(name))) {
            ShowMessage(
                &main,
                QStringLiteral("ウィンドウ「%1」はありません。").arg(QString::fromStdString(name)));
        }
    }
    if (options.quitWhenReady) QuitWhenReady(main);
    const int status = QApplication::exec();
    return main.OptionsSaved() ? status : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // A file past the size limit (ulimit -f) is then a failed write the
    // writer reports, not a killed program.
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        StartOptions options;
        DataFolder place;
        if (const std::optional<int> status = RunHeadless(argc, argv, options, place)) {
            return *status;
        }
        return RunWindows(argc, argv, options, place);
    } catch (...) {
        std::cerr << MessageOfCurrentException() << "\n";
        return 1;
    }
}
