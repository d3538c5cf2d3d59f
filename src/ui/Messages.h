#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

// The title of the program's own error messages (its fourth character is a
// full-width hyphen-minus).
inline const QString kMessageTitle = QStringLiteral("メッセ－ジ");

// Shows one of the program's messages: modal, OK button, the given icon.
// In quiet mode (tests, timing runs) nothing is shown: the text goes to
// standard error and to the record of shown messages instead.
void ShowMessage(QWidget* parent, const QString& text,
                 QMessageBox::Icon icon = QMessageBox::Critical,
                 const QString& title = kMessageTitle);

// Asks Yes/No with the exclamation icon and No as the default; true for Yes.
// In quiet mode it answers with the reply set by SetQuietAnswer.
bool AskYesNo(QWidget* parent, const QString& text);

void SetQuietMessages(bool quiet);
bool QuietMessages();
// Messages shown (or recorded) so far, oldest first; for tests.
const QStringList& RecordedMessages();
void ClearRecordedMessages();
void SetQuietAnswer(bool yes);
