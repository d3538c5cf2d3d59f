#include <gtest/gtest.h>

#ifdef LOTO7_TEST_WIDGETS
#include <QApplication>

#include "grid/ProgramLook.h"
using TestApplication = QApplication;
#ifdef LOTO7_TEST_ON_DEMAND
#include <QFileInfo>
#include <iostream>

#include "ui/OnDemandLibrary.h"
#endif
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

// Every test program runs inside an application object (window tests on the
// offscreen platform, with the program's font and Qt's Japanese), so Qt's
// text codecs and event loop are there.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
#ifdef LOTO7_TEST_WIDGETS
    ApplyProgramLook(app);
#endif
#ifdef LOTO7_TEST_ON_DEMAND
    const QString problem = LoadOnDemandLibrary(QFileInfo(LOTO7_EXECUTABLE).absolutePath());
    if (!problem.isEmpty()) std::cerr << problem.toStdString() << "\n";
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
