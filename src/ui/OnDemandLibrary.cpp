#include "ui/OnDemandLibrary.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

namespace {

using VersionFunction = int (*)();

constexpr char kFileName[] = "libloto7ondemand.so";
constexpr char kVersionEntry[] = "loto7_on_demand_version";

struct Library {
    bool tried = false;
    void* handle = nullptr;
    QString problem;
};

Library& TheLibrary() {
    static Library library;
    return library;
}

// Empty when the loaded library is of this program's version.
QString CheckVersion(void* handle) {
    const auto version = reinterpret_cast<VersionFunction>(dlsym(handle, kVersionEntry));
    if (!version) return QStringLiteral("このプログラムの部品ではありません");
    if (version() != kOnDemandLibraryVersion) {
        return QStringLiteral("版が違います（部品は%1版、プログラムは%2版）")
            .arg(version())
            .arg(kOnDemandLibraryVersion);
    }
    return {};
}

// The folders the library is looked for in: beside the program, then where
// the package installs it.
QStringList LibraryFolders(const QString& programFolder) {
    QStringList folders{programFolder};
#ifdef LOTO7_ON_DEMAND_FROM_PROGRAM
    folders << QDir::cleanPath(programFolder + QStringLiteral("/" LOTO7_ON_DEMAND_FROM_PROGRAM));
#endif
    return folders;
}

}  // namespace

QString OnDemandFileName() { return QLatin1String(kFileName); }

QString LoadOnDemandLibrary(const QString& programFolder) {
    Library& library = TheLibrary();
    library.tried = true;
    if (library.handle) return {};
    QStringList reasons;
    for (const QString& folder : LibraryFolders(programFolder)) {
        const QString path = folder + QLatin1Char('/') + OnDemandFileName();
        void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            reasons << QString::fromLocal8Bit(dlerror());
            continue;
        }
        const QString problem = CheckVersion(handle);
        if (problem.isEmpty()) {
            library.handle = handle;
            library.problem.clear();
            return {};
        }
        reasons << path + QStringLiteral("：") + problem;
        dlclose(handle);
    }
    library.problem = reasons.join(QLatin1Char('\n'));
    return library.problem;
}

void* OnDemandEntry(const char* name) {
    Library& library = TheLibrary();
    if (!library.tried) LoadOnDemandLibrary(QCoreApplication::applicationDirPath());
    if (!library.handle) return nullptr;
    void* entry = dlsym(library.handle, name);
    if (!entry) {
        library.problem = QStringLiteral("%1 に入口 %2 がありません")
                              .arg(OnDemandFileName(), QLatin1String(name));
    }
    return entry;
}

QString OnDemandProblem() { return TheLibrary().problem; }
