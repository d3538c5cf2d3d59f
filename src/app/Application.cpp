#include "app/Application.h"

#include "core/CurrentException.h"
#include "ui/Messages.h"
#include "ui/ProgramLook.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    ApplyProgramLook(*this);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowMessage(activeWindow(), QString::fromStdString(MessageOfCurrentException()));
        return false;
    }
}
