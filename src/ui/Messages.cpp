#include "ui/Messages.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <iostream>

namespace {
bool quiet = false;
bool quietAnswer = false;
QStringList recorded;

// Runs a message box and gives the keyboard back to the widget that had it
// (else to the parent's window): without a window manager nothing else
// activates the window again, and typing would go nowhere until a click.
int RunBox(QMessageBox& box, QWidget* parent) {
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const QPointer<QWidget> owner = parent;
    const int answer = box.exec();
    QWidget* target = focus ? focus.data() : owner.data();
    if (target && target->isVisible()) {
        target->window()->activateWindow();
        if (focus) focus->setFocus(Qt::ActiveWindowFocusReason);
    }
    return answer;
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                 const QString& title) {
    recorded.append(text);
    if (quiet) {
        std::cerr << text.toStdString() << "\n";
        return;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    RunBox(box, parent);
}

bool AskYesNo(QWidget* parent, const QString& text) {
    recorded.append(text);
    if (quiet) return quietAnswer;
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return RunBox(box, parent) == QMessageBox::Yes;
}

void SetQuietMessages(bool on) { quiet = on; }
bool QuietMessages() { return quiet; }
const QStringList& RecordedMessages() { return recorded; }
void ClearRecordedMessages() { recorded.clear(); }
void SetQuietAnswer(bool yes) { quietAnswer = yes; }
