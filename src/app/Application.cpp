#include "app/Application.h"

#include "core/CurrentException.h"
#include "grid/ProgramLook.h"
#include "ui/Messages.h"

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
