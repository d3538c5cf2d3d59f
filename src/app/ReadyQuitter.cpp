#include "app/ReadyQuitter.h"

#include <QApplication>
#include <QTimer>

#include "app/MainFrm.h"
#include "core/QtConversions.h"
#include "ui/backtest/BacktestWindow.h"

void OpenEveryWindow(MainFrm& main) {
    // The entry window first, while no other window keeps it closed.
    main.mnuMasterInput_Click();
    for (const AnalysisInfo& info : AnalysisCatalog()) {
        if (info.build) {
            main.OpenAnalysis(FromView(info.name));
        }
    }
    main.OpenWindow(QString::fromUtf8(kBacktestWindowName));
    main.mnuYoso_Click();
}

void QuitWhenReady(MainFrm& main) {
    // Windows are built while they open; a zero timer runs after the paint
    // events queued by showing them have been handled.  A window that
    // computes in a worker is ready once it is shown with its progress and
    // answers the user: its worker may still run, and closing the window
    // below cancels it and waits for it.
    QTimer::singleShot(0, &main, [&main] {
        for (QWidget* w : QApplication::topLevelWidgets()) w->repaint();
        QApplication::processEvents();
        main.close();
        QApplication::quit();
    });
}
