// The least a Qt MDI program does to show a window like the program's: a
// main window with a menu bar and an MDI area holding one Japanese child
// window with a label and a 37 × 20 table.  It quits once that window is
// shown and painted, so its run time is the floor the program's own start-up
// is measured against.
//
// With --window-texts the child window also shows every text of the
// program's prediction window, in plain Qt widgets at the sizes the window
// uses (the option captions a pixel smaller): how much of the program's
// start-up the glyphs of those texts cost alone.
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cstring>

#include "core/QtConversions.h"
#include "prediction/PredictionGrids.h"
#include "prediction/ReflectionShift.h"

namespace {

QWidget* MakePredictionTexts() {
    auto* texts = new QWidget;
    auto* grid = new QGridLayout(texts);
    QFont caption = QApplication::font();
    caption.setPixelSize(QFontInfo(caption).pixelSize() - 1);
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("データ分析オプション")), row++, 0);
    grid->addWidget(
        new QLabel(QStringLiteral("各データ分析の分析結果を当選予想へ反映するかを設定します。")),
        row++, 0, 1, 3);
    for (const ReflectedAnalysis& analysis : kReflectedAnalyses) {
        auto* label = new QLabel(FromView(analysis.caption));
        label->setFont(caption);
        grid->addWidget(label, row, 0);
        grid->addWidget(new QRadioButton(QStringLiteral("反映する")), row, 1);
        grid->addWidget(new QRadioButton(QStringLiteral("反映しない")), row++, 2);
    }
    grid->addWidget(new QLabel(QStringLiteral("当選予想")), row++, 0);
    grid->addWidget(
        new QLabel(QStringLiteral("各データ分析の結果を元に周期法、消去法、連発カゾリア、"
                                  "一発カゾリアの各手法を用いて当選数字を予想します。")),
        row++, 0, 1, 3);
    for (const PredictionGridLayout& layout : kPredictionGrids) {
        grid->addWidget(new QLabel(FromView(layout.label)), row++, 0, 1, 3);
    }
    for (std::string_view label : kCycleRowLabels)
        grid->addWidget(new QLabel(FromView(label)), row++, 0);
    for (std::string_view label : {kEliminationRowLabel, kRapidFireRowLabel, kOneShotRowLabel}) {
        grid->addWidget(new QLabel(FromView(label)), row++, 0);
    }
    grid->addWidget(new QPushButton(QStringLiteral("印刷")), row, 0);
    grid->addWidget(new QPushButton(QStringLiteral("閉じる")), row, 1);
    return texts;
}

QWidget* MakeChild(bool withWindowTexts) {
    auto* child = new QWidget;
    child->setWindowTitle(QStringLiteral("一発カゾリア予想"));
    auto* layout = new QVBoxLayout(child);
    layout->addWidget(new QLabel(QStringLiteral("次回の予想数字（本数字７個）")));
    auto* table = new QTableWidget(37, 20);
    for (int row = 0; row < 37; ++row) {
        for (int column = 0; column < 20; ++column) {
            table->setItem(row, column, new QTableWidgetItem(QString::number(row + 1)));
        }
    }
    layout->addWidget(table);
    if (withWindowTexts) layout->addWidget(MakePredictionTexts());
    return child;
}

}  // namespace

int main(int argc, char** argv) {
    const bool withWindowTexts = argc > 1 && std::strcmp(argv[1], "--window-texts") == 0;
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 9));
    QMainWindow main;
    main.setWindowTitle(QStringLiteral("ロト7カゾリアLite"));
    QMenu* file = main.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(QStringLiteral("終了(&X)"), &main, &QWidget::close);
    main.menuBar()->addMenu(QStringLiteral("予想(&Y)"));
    main.menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    auto* area = new QMdiArea;
    main.setCentralWidget(area);
    main.resize(1024, 768);
    QMdiSubWindow* window = area->addSubWindow(MakeChild(withWindowTexts));
    main.show();
    window->show();
    // As the program does: after the paint events queued by showing, paint
    // every window once more and quit.
    QTimer::singleShot(0, &main, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) w->repaint();
        QApplication::processEvents();
        QApplication::quit();
    });
    return QApplication::exec();
}
