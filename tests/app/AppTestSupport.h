#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/MainFrm.h"
#include "data/CsvImport.h"
#include "support/TestSupport.h"
#include "ui/Messages.h"

// What a headless command printed and returned.
struct Outcome {
    int status = 0;
    std::string out, err;
};

// Runs a command as the program would, with db as the default database.
inline Outcome RunCli(const std::vector<std::string>& args, const std::string& db) {
    std::ostringstream out, err;
    Outcome o;
    o.status = RunHeadlessCommand(ParseArguments(args, db), out, err);
    o.out = out.str();
    o.err = err.str();
    return o;
}

// A main window over a database imported from a CSV file, working in a
// temporary folder, with messages recorded instead of shown.
class MainWindowTest : public ::testing::Test {
  protected:
    TempDir dir;
    QString previousDirectory = QDir::currentPath();
    GlobalBas globals;
    std::unique_ptr<MainFrm> main;

    void StartMain(const std::string& csvPath, bool shown) {
        SetQuietMessages(true);
        ClearRecordedMessages();
        QDir::setCurrent(QString::fromStdString(dir.Path().string()));
        const std::string db = dir.File("Loto7Kazoria.mdb");
        ImportCsv(csvPath, db);
        main = std::make_unique<MainFrm>(globals, db);
        main->Form_Load();
        if (shown) main->show();
    }
    void TearDown() override {
        main.reset();
        QDir::setCurrent(previousDirectory);
    }
};
