#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "data/ImportStore.h"
#include "paste/PastePreview.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// 結果の貼り付け: the text the user copied, above the preview of the draws
// read from it (one row each, ticked to be registered).  Nothing is written
// before 登録; a ticked change of a stored draw is asked first, as the entry
// grid asks, and everything ticked then goes in at once.
class PasteDialog : public QDialog {
  public:
    PasteDialog(std::string databasePath, const QString& text, QWidget* parent = nullptr);

    // Reads the text box again (after the user edited it).
    void ReadAgain();
    // 登録: asks about ticked changes, stores, and closes on success.
    void Register();

    // What 登録 stored; none until then.
    const std::optional<ImportReport>& Report() const { return report_; }
    const PastePreview& Preview() const { return preview_; }
    QTableWidget* Rows() const { return rows_; }
    QPlainTextEdit* Text() const { return text_; }
    QPushButton* RegisterButton() const { return register_; }
    // Whether the row is ticked to be registered.
    bool Ticked(int row) const;
    void SetTicked(int row, bool on);

  private:
    void FillRows();
    void UpdateSummary();
    // The whole of the current row below the table: the text it came from
    // and every prize line.
    void ShowDetail(int row);

    std::string databasePath_;
    PastePreview preview_;
    std::optional<ImportReport> report_;
    QPlainTextEdit* text_ = nullptr;
    QTableWidget* rows_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* detail_ = nullptr;
    QPushButton* register_ = nullptr;
};

// Shows the dialog for text (the clipboard's, say) and, once something was
// registered, tells the user what; the report, or none when nothing was
// stored.
std::optional<ImportReport> PasteResults(QWidget* parent, const std::string& databasePath,
                                         const QString& text);

// The clipboard's text, or empty with the user told why there is none.
QString ClipboardTextForPaste(QWidget* parent);
