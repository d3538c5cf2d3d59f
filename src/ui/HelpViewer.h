#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;

// The help file: one HTML document whose topics are headings with an anchor
// named after their keyword.  The window shows the keyword index beside the
// text and looks keywords up.
inline const QString kHelpFileName = QStringLiteral("ロト7カゾリアL.chm");

class HelpViewer : public QWidget {
  public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Loads the help file; false (and nothing loaded) when it cannot be read.
    bool Open(const QString& path);
    // Shows the index of keywords, with the given keyword filled in.
    void ShowIndex(const QString& keyword);
    // Jumps to the topic of a keyword (exact, else the first that contains
    // it); false when no topic matches.
    bool LookUpKeyword(const QString& keyword);

    const QStringList& Keywords() const { return keywords_; }
    QString CurrentKeyword() const;

  private:
    QLineEdit* search_ = nullptr;
    QListWidget* index_ = nullptr;
    QTextBrowser* text_ = nullptr;
    QStringList keywords_;
};
