#include "ui/tickets/TicketAsking.h"

#include <QApplication>
#include <QInputDialog>
#include <tuple>

#include "core/CurrentException.h"
#include "core/Errors.h"
#include "core/TicketText.h"
#include "data/TicketStore.h"
#include "ui/ChildWindow.h"
#include "ui/Messages.h"
#include "ui/tickets/TicketDialog.h"

namespace {

const QString kTitle = QStringLiteral("購入番号に追加");

// The draws every row is bought for, asked once; none when cancelled.
std::optional<std::pair<int, int>> AskDraws(QWidget* parent, std::size_t rows, int next) {
    QString text = QString::number(next);
    for (;;) {
        bool accepted = false;
        text = QInputDialog::getText(
            parent, kTitle,
            QStringLiteral("%1件の購入番号を追加します。購入する回（継続購入は 690-694）：")
                .arg(rows),
            QLineEdit::Normal, text, &accepted);
        if (!accepted) return std::nullopt;
        try {
            return ReadTicketDraws(text);
        } catch (const UserError& e) {
            ShowMessage(parent, QString::fromUtf8(e.what()));
        }
    }
}

// The tickets the rows make, asked for and completed; empty when cancelled.
std::vector<PurchasedTicket> AskTickets(QWidget* parent, const std::vector<std::vector<int>>& rows,
                                        int latestDraw) {
    int first = latestDraw + 1;
    int last = first;
    if (rows.size() > 1) {
        const std::optional<std::pair<int, int>> draws = AskDraws(parent, rows.size(), first);
        if (!draws) return {};
        std::tie(first, last) = *draws;
    }
    std::vector<PurchasedTicket> tickets;
    for (const std::vector<int>& row : rows) {
        std::vector<QString> texts;
        for (int n : row) texts.push_back(QString::number(n));
        if (rows.size() > 1 && static_cast<int>(row.size()) == kTicketNumberCount) {
            try {
                PurchasedTicket t;
                t.firstDraw = first;
                t.lastDraw = last;
                t.numbers = ReadTicketNumbers(texts);
                tickets.push_back(t);
                continue;
            } catch (const UserError&) {
                // A row that does not read is shown to the user to correct.
            }
        }
        TicketDialog dialog(parent, kTitle);
        dialog.SetDraws(first, last);
        dialog.SetNumbers(row);
        if (dialog.exec() != QDialog::Accepted) return {};
        tickets.push_back(dialog.Result());
    }
    return tickets;
}

}  // namespace

bool AddTicketsToBook(QWidget* parent, const std::vector<std::vector<int>>& rows, int latestDraw,
                      const std::string& databaseFile, const std::function<void()>& stored) {
    if (rows.empty()) return false;
    std::vector<PurchasedTicket> tickets = AskTickets(parent, rows, latestDraw);
    if (tickets.empty()) return false;
    try {
        Hourglass hourglass;
        TicketBook(databaseFile).Add(tickets);
    } catch (...) {
        ShowMessage(parent, QString::fromStdString(MessageOfCurrentException()));
        return false;
    }
    stored();
    ShowMessage(parent, QStringLiteral("購入番号に%1件を追加しました。").arg(tickets.size()),
                QMessageBox::Information, QApplication::applicationName());
    return true;
}
