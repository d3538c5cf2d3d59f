// The least a Qt MDI program does to show a window like the program's: a
// main window with a menu bar and an MDI area holding one Japanese child
// window with a label and a 37 × 20 table.  It quits once that window is
// shown and painted, so its run time is the floor the program's own start-up
// is measured against.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QWidget* MakeChild() {
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
    return child;
}

}  // namespace

int main(int argc, char** argv) {
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
    QMdiSubWindow* window = area->addSubWindow(MakeChild());
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
