#include "support/WindowHost.h"

#include "data/CsvImport.h"
#include "data/DrawStoreLoader.h"
#include "ui/Messages.h"

WindowHost::WindowHost(const std::string& csvPath) {
    SetQuietMessages(true);
    ClearRecordedMessages();
    const std::string db = dir.File("Loto7Kazoria.mdb");
    ImportCsv(csvPath, db);
    OpenDrawStore(globals, db);
    area.resize(1600, 1200);
    area.show();
}

// The windows go before the snapshot they read.
WindowHost::~WindowHost() {
    for (QMdiSubWindow* child : area.subWindowList()) delete child;
}
