#pragma once

#include <QString>
#include <QStringList>

// Where the help file is looked for, in this order: the working folder (a
// copy of the user's own), beside the executable (a build or a portable
// copy) and the installed share folder.  A folder named twice is listed once.
QStringList HelpFilePlaces(const QString& workingFolder, const QString& programFolder,
                           const QString& shareFolder);
// The same for this process: its working folder and executable.
QStringList HelpFilePlaces();

// The first of places that holds the file, or empty.
QString FindHelpFile(const QStringList& places);

// The message when no place holds the file, naming every place looked in.
QString HelpFileMissingText(const QStringList& places);
