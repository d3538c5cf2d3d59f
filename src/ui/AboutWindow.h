#pragma once

#include <QWidget>

class QPushButton;

// バージョン情報: product name and version, and a close button.
class AboutWindow : public QWidget {
  public:
    explicit AboutWindow(QWidget* mainWindow);
    // Places itself at a third of the main window's extent.
    void Form_Load(const QWidget* mainWindow);
    QPushButton* Command1 = nullptr;
};
