#include "ui/Messages.h"

#include <QApplication>
#include <QCoreApplication>
#include <iostream>

namespace {
bool quiet = false;
bool quietAnswer = false;
QStringList recorded;
}  // namespace

void ShowMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                 const QString& title) {
    recorded.append(text);
    if (quiet) {
        std::cerr << text.toStdString() << "\n";
        return;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool AskYesNo(QWidget* parent, const QString& text) {
    recorded.append(text);
    if (quiet) return quietAnswer;
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void SetQuietMessages(bool on) { quiet = on; }
bool QuietMessages() { return quiet; }
const QStringList& RecordedMessages() { return recorded; }
void ClearRecordedMessages() { recorded.clear(); }
void SetQuietAnswer(bool yes) { quietAnswer = yes; }
