#include <QCoreApplication>

#include <iostream>

#include "app/CommandLine.h"
#include "core/GlobalBas.h"
#include "data/ConnectionText.h"

namespace {

std::string DefaultDatabasePath() {
    return (QCoreApplication::applicationDirPath() + "/" + kDatabaseFileName).toStdString();
}

std::vector<std::string> Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace

int main(int argc, char** argv) {
    StartOptions options;
    {
        QCoreApplication probe(argc, argv);
        try {
            options = ParseArguments(Arguments(argc, argv), DefaultDatabasePath());
        } catch (const UserError& e) {
            std::cerr << e.what() << "\n";
            return 2;
        }
        if (IsHeadlessCommand(options)) return RunHeadlessCommand(options, std::cout, std::cerr);
    }
    std::cerr << "ウィンドウ版はまだありません。\n";
    return 1;
}
