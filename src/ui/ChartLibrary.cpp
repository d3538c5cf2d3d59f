#include "ui/ChartLibrary.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QDir>

namespace {

using MakeLineFunction = LineChart* (*)(const LineChartSpec&, QWidget*);
using MakeBarFunction = BarChart* (*)(const BarChartSpec&, QWidget*);
using VersionFunction = int (*)();

constexpr char kFileName[] = "libloto7charts.so";

struct Library {
    bool tried = false;
    MakeLineFunction makeLine = nullptr;
    MakeBarFunction makeBar = nullptr;
    QString problem;
};

Library& TheLibrary() {
    static Library library;
    return library;
}

// Takes the entry points from a loaded library (RTLD_DEFAULT: one linked
// into the program); empty when they are all there and of this version.
QString TakeEntryPoints(void* handle, Library& library) {
    const auto version =
        reinterpret_cast<VersionFunction>(dlsym(handle, "loto7_chart_library_version"));
    if (!version) return QStringLiteral("グラフの部品ではありません");
    if (version() != kChartLibraryVersion) {
        return QStringLiteral("版が違います（部品は%1版、プログラムは%2版）")
            .arg(version())
            .arg(kChartLibraryVersion);
    }
    library.makeLine = reinterpret_cast<MakeLineFunction>(dlsym(handle, "loto7_make_line_chart"));
    library.makeBar = reinterpret_cast<MakeBarFunction>(dlsym(handle, "loto7_make_bar_chart"));
    if (!library.makeLine || !library.makeBar) return QStringLiteral("入口が欠けています");
    return {};
}

// The folders the library is looked for in: beside the program, then where
// the package installs it.
QStringList LibraryFolders(const QString& programFolder) {
    QStringList folders{programFolder};
#ifdef LOTO7_CHARTS_FROM_PROGRAM
    folders << QDir::cleanPath(programFolder + QStringLiteral("/" LOTO7_CHARTS_FROM_PROGRAM));
#endif
    return folders;
}

bool Loaded() {
    Library& library = TheLibrary();
    if (!library.tried) {
        library.problem = LoadChartLibrary(QCoreApplication::applicationDirPath());
    }
    return library.problem.isEmpty();
}

}  // namespace

QString LoadChartLibrary(const QString& programFolder) {
    Library& library = TheLibrary();
    library.tried = true;
    if (library.makeLine) return {};
    if (dlsym(RTLD_DEFAULT, "loto7_chart_library_version")) {
        return TakeEntryPoints(RTLD_DEFAULT, library);
    }
    QStringList reasons;
    for (const QString& folder : LibraryFolders(programFolder)) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(kFileName);
        void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            reasons << QString::fromLocal8Bit(dlerror());
            continue;
        }
        const QString problem = TakeEntryPoints(handle, library);
        if (problem.isEmpty()) return {};
        reasons << path + QStringLiteral("：") + problem;
        dlclose(handle);
    }
    return QStringLiteral(
               "グラフの部品 %1 を読み込めないため、グラフを表示できません。"
               "プログラムを入れ直してください。\n%2")
        .arg(QLatin1String(kFileName), reasons.join(QLatin1Char('\n')));
}

QString ChartLibraryProblem() { return TheLibrary().problem; }

LineChart* MakeLineChart(const LineChartSpec& spec, QWidget* parent) {
    return Loaded() ? TheLibrary().makeLine(spec, parent) : nullptr;
}

BarChart* MakeBarChart(const BarChartSpec& spec, QWidget* parent) {
    return Loaded() ? TheLibrary().makeBar(spec, parent) : nullptr;
}
