#pragma once

#include <QApplication>

// The windowed program's application object.  Standard buttons and dialogs
// speak Japanese (Qt's own translation), and an exception that escapes an
// event handler is shown to the user as a message instead of ending the
// program.
class Application : public QApplication {
  public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Loads Qt's Japanese translation for standard buttons (はい/いいえ) and
// dialogs; false when the translation is not installed.
bool InstallQtJapanese(QCoreApplication& app);
