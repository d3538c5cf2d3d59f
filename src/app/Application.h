#pragma once

#include <QApplication>

// The windowed program's application object.  It has the program's look
// (its font; standard buttons and dialogs in Japanese, Qt's own translation),
// and an exception that escapes an event handler is shown to the user as a
// message instead of ending the program.
class Application : public QApplication {
  public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
