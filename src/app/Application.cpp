#include "app/Application.h"

#include <QLibraryInfo>
#include <QTranslator>

#include "core/CurrentException.h"
#include "ui/Messages.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    InstallQtJapanese(*this);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowMessage(activeWindow(), QString::fromStdString(MessageOfCurrentException()));
        return false;
    }
}

bool InstallQtJapanese(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
