#include "grid/ProgramLook.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

#include "grid/ProgramStyle.h"

QFont ProgramFont() { return QFont(QStringLiteral("Noto Sans CJK JP"), 9); }

double ScreenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
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

void ApplyProgramLook(QApplication& app) {
    QApplication::setStyle(new ProgramStyle(BaseStyleName(*QApplication::style())));
    QApplication::setFont(ProgramFont());
    InstallQtJapanese(app);
}
