#include "ui/AboutWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutWindow::AboutWindow(QWidget* mainWindow) : QWidget(mainWindow, Qt::Dialog) {
    setObjectName(QStringLiteral("バージョン情報"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("<h2>ロト7カゾリアLite</h2>"), this);
    auto* version =
        new QLabel(QStringLiteral("バージョン %1").arg(QStringLiteral(LOTO7_VERSION)), this);
    auto* note = new QLabel(QStringLiteral("ロト7の当選データを分析し、当選数字を予想します。\n"
                                           "予想は当選を保証するものではありません。"),
                            this);
    Command1 = new QPushButton(QStringLiteral("閉じる"), this);
    Command1->setObjectName("Command1");
    connect(Command1, &QPushButton::clicked, this, [this] { close(); });
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(note);
    layout->addWidget(Command1, 0, Qt::AlignRight);
}

void AboutWindow::Form_Load(const QWidget* mainWindow) {
    const QRect main = mainWindow->frameGeometry();
    move((main.width() - main.left()) / 3, (main.height() - main.top()) / 3);
}
