#pragma once

#include <QFont>

class QApplication;
class QCoreApplication;

// The look every window of the program shares.

// The font of every window and grid: Noto Sans CJK JP, 9 pt.
QFont ProgramFont();

// The resolution the program's grids are drawn at: the primary screen's
// logical dots per inch, 96 without a screen.
double ScreenDpi();

// Loads Qt's Japanese translation, so that standard buttons (はい/いいえ),
// message boxes and file dialogs speak Japanese; false when the translation
// is not installed.
bool InstallQtJapanese(QCoreApplication& app);

// The program's style, font and Qt's Japanese for the whole application;
// called before any window is made.
void ApplyProgramLook(QApplication& app);
