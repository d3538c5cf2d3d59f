#include "app/HelpFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "app/DataFolder.h"
#include "ui/HelpViewer.h"

QStringList HelpFilePlaces(const QString& workingFolder, const QString& programFolder,
                           const QString& shareFolder) {
    QStringList places;
    for (const QString& folder : {workingFolder, programFolder, shareFolder}) {
        if (folder.isEmpty()) continue;
        const QString path = QDir::cleanPath(QDir(folder).absoluteFilePath(kHelpFileName));
        if (!places.contains(path)) places << path;
    }
    return places;
}

QStringList HelpFilePlaces() {
    const QString program = QCoreApplication::applicationDirPath();
    const QString share = QString::fromStdString(ShareFolder(program.toStdString()).string());
    return HelpFilePlaces(QDir::currentPath(), program, share);
}

QString FindHelpFile(const QStringList& places) {
    for (const QString& path : places) {
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}

QString HelpFileMissingText(const QStringList& places) {
    QString text = QStringLiteral("ヘルプファイル「%1」が見つかりません。次の場所を探しました。")
                       .arg(kHelpFileName);
    for (const QString& path : places)
        text += QStringLiteral("\n") + QDir::toNativeSeparators(path);
    return text;
}
