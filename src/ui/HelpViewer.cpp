#include "ui/HelpViewer.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QStringList TopicKeywords(const QString& html) {
    static const QRegularExpression anchor(QStringLiteral(R"re(<h2[^>]*>\s*<a\s+name="([^"]+)")re"),
                                           QRegularExpression::CaseInsensitiveOption);
    QStringList keywords;
    for (auto it = anchor.globalMatch(html); it.hasNext();) keywords << it.next().captured(1);
    return keywords;
}

}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpViewer");
    setWindowTitle(QStringLiteral("ロト7カゾリアLite ヘルプ"));
    resize(900, 640);
    search_ = new QLineEdit(this);
    search_->setPlaceholderText(QStringLiteral("キーワードを入力"));
    index_ = new QListWidget(this);
    text_ = new QTextBrowser(this);
    text_->setOpenLinks(true);
    auto* left = new QWidget(this);
    auto* leftColumn = new QVBoxLayout(left);
    leftColumn->setContentsMargins(0, 0, 0, 0);
    leftColumn->addWidget(search_);
    leftColumn->addWidget(index_);
    auto* split = new QSplitter(this);
    split->addWidget(left);
    split->addWidget(text_);
    split->setStretchFactor(1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(split);
    connect(index_, &QListWidget::currentTextChanged, this,
            [this](const QString& keyword) { text_->scrollToAnchor(keyword); });
    connect(search_, &QLineEdit::returnPressed, this, [this] { LookUpKeyword(search_->text()); });
}

bool HelpViewer::Open(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QString html = QString::fromUtf8(file.readAll());
    keywords_ = TopicKeywords(html);
    text_->setHtml(html);
    index_->clear();
    index_->addItems(keywords_);
    return true;
}

void HelpViewer::ShowIndex(const QString& keyword) {
    search_->setText(keyword);
    index_->setFocus();
}

bool HelpViewer::LookUpKeyword(const QString& keyword) {
    int found = keywords_.indexOf(keyword);
    for (int i = 0; found < 0 && i < keywords_.size(); ++i) {
        if (!keyword.isEmpty() && keywords_[i].contains(keyword)) found = i;
    }
    if (found < 0) return false;
    index_->setCurrentRow(found);
    text_->scrollToAnchor(keywords_[found]);
    return true;
}

QString HelpViewer::CurrentKeyword() const {
    return index_->currentItem() ? index_->currentItem()->text() : QString();
}
