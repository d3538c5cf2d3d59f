#include "app/ReadyQuitter.h"

#include <QApplication>
#include <QTimer>

#include "app/MainFrm.h"
#include "core/QtConversions.h"
#include "ui/BacktestWindow.h"
#include "ui/RandomnessWindow.h"

void OpenEveryWindow(MainFrm& main) {
    // The entry window first, while no other window keeps it closed.
    main.mnuMasterInput_Click();
    for (const AnalysisInfo& info : AnalysisCatalog()) {
        if (info.build) {
            main.OpenAnalysis(FromView(info.name));
        }
    }
    main.mnuYosoKensho_Click();
    main.mnuYoso_Click();
}

void QuitWhenReady(MainFrm& main) {
    // Windows are built while they open; a zero timer runs after the paint
    // events queued by showing them have been handled.
    QTimer::singleShot(0, &main, [&main] {
        // Windows that compute in a worker are ready once it has returned.
        // (The window classes have no meta-object of their own: dynamic_cast.)
        for (QWidget* w : main.findChildren<QWidget*>()) {
            if (auto* backtest = dynamic_cast<BacktestWindow*>(w)) backtest->WaitForRun();
            if (auto* randomness = dynamic_cast<RandomnessWindow*>(w)) randomness->WaitForRun();
        }
        for (QWidget* w : QApplication::topLevelWidgets()) w->repaint();
        QApplication::processEvents();
        main.close();
        QApplication::quit();
    });
}
