#include <QFont>
#include <QTimer>
#include <iostream>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/MainFrm.h"
#include "app/ReadyQuitter.h"
#include "core/CurrentException.h"
#include "core/GlobalBas.h"
#include "data/ConnectionText.h"
#include "ui/AppIcon.h"
#include "ui/Messages.h"

namespace {

std::string DefaultDatabasePath() {
    return (QCoreApplication::applicationDirPath() + "/" + kDatabaseFileName).toStdString();
}

std::vector<std::string> Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

int RunHeadless(int argc, char** argv, StartOptions& options, bool& handled) {
    QCoreApplication app(argc, argv);
    handled = true;
    try {
        options = ParseArguments(Arguments(argc, argv), DefaultDatabasePath());
    } catch (...) {
        std::cerr << MessageOfCurrentException() << "\n";
        return 2;
    }
    if (IsHeadlessCommand(options)) return RunHeadlessCommand(options, std::cout, std::cerr);
    handled = false;
    return 0;
}

int RunWindows(int argc, char** argv, const StartOptions& options) {
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ロト7カゾリアLite"));
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 9));
    QApplication::setWindowIcon(AppIcon());
    if (options.quitWhenReady) SetQuietMessages(true);
    GlobalBas globals;
    MainFrm main(globals, options.databasePath);
    try {
        main.Form_Load();
    } catch (...) {
        ShowMessage(nullptr, QString::fromStdString(MessageOfCurrentException()));
        return 1;
    }
    main.show();
    if (options.openAll) OpenEveryWindow(main);
    // The prediction window opens as soon as the main window is up, also
    // where no window manager activates the main window.
    main.mnuYoso_Click();
    for (const std::string& name : options.openWindows) {
        if (!main.OpenAnalysis(QString::fromStdString(name))) {
            ShowMessage(&main, QStringLiteral("ウィンドウ「%1」はありません。").arg(QString::fromStdString(name)));
        }
    }
    if (options.quitWhenReady) QuitWhenReady(main);
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    try {
        StartOptions options;
        bool handled = false;
        const int status = RunHeadless(argc, argv, options, handled);
        if (handled) return status;
        return RunWindows(argc, argv, options);
    } catch (...) {
        std::cerr << MessageOfCurrentException() << "\n";
        return 1;
    }
}
