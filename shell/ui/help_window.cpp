#include "shell/ui/help_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <map>

namespace velui {

namespace {

QString ReadUtf8(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

QString PlainText(const QString& html) {
    QTextDocument doc;
    doc.setHtml(html);
    return doc.toPlainText();
}

QString TitleOf(const QString& html) {
    static const QRegularExpression re(QStringLiteral("<title>(.*?)</title>"),
                                       QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = re.match(html);
    return m.hasMatch() ? PlainText(m.captured(1)).trimmed() : QString();
}

QStringList KeywordsOf(const QString& html) {
    static const QRegularExpression re(QStringLiteral("<meta\\s+name=\"keywords\"\\s+content=\"([^\"]*)\""),
                                       QRegularExpression::CaseInsensitiveOption);
    QStringList words;
    const QRegularExpressionMatch m = re.match(html);
    if (!m.hasMatch()) return words;
    static const QRegularExpression sep(QStringLiteral("[,，;；]"));
    for (const QString& w : m.captured(1).split(sep, Qt::SkipEmptyParts)) {
        const QString k = w.trimmed();
        if (!k.isEmpty()) words.append(k);
    }
    return words;
}

}  // namespace

CHelpWindow::CHelpWindow(const QString& folder, QWidget* parent) : QWidget(parent, Qt::Window), folder_(folder) {
    setObjectName(QStringLiteral("CHelpWindow"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QCoreApplication::translate("CHelpWindow", "Help Topics"));
    tabs_ = new QTabWidget(this);
    contents_ = new QListWidget(tabs_);
    index_ = new QListWidget(tabs_);
    auto* searchPage = new QWidget(tabs_);
    searchEdit_ = new QLineEdit(searchPage);
    searchEdit_->setPlaceholderText(QCoreApplication::translate("CHelpWindow", "Type the words to find"));
    auto* searchButton = new QPushButton(QCoreApplication::translate("CHelpWindow", "Search"), searchPage);
    searchResults_ = new QListWidget(searchPage);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchEdit_, 1);
    searchRow->addWidget(searchButton);
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(4, 4, 4, 4);
    searchLayout->addLayout(searchRow);
    searchLayout->addWidget(searchResults_, 1);
    tabs_->addTab(contents_, QCoreApplication::translate("CHelpWindow", "Contents"));
    tabs_->addTab(index_, QCoreApplication::translate("CHelpWindow", "Index"));
    tabs_->addTab(searchPage, QCoreApplication::translate("CHelpWindow", "Search"));

    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(true);
    browser_->setSearchPaths({folder_});

    auto* splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 580});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    resize(860, 600);

    auto openFromItem = [this](QListWidgetItem* item) {
        if (item) openPage(item->data(Qt::UserRole).toString());
    };
    connect(contents_, &QListWidget::itemActivated, this, openFromItem);
    connect(contents_, &QListWidget::itemClicked, this, openFromItem);
    connect(index_, &QListWidget::itemActivated, this, openFromItem);
    connect(index_, &QListWidget::itemClicked, this, openFromItem);
    connect(searchResults_, &QListWidget::itemActivated, this, openFromItem);
    connect(searchResults_, &QListWidget::itemClicked, this, openFromItem);
    connect(searchEdit_, &QLineEdit::returnPressed, this, &CHelpWindow::runSearch);
    connect(searchButton, &QPushButton::clicked, this, &CHelpWindow::runSearch);

    load();
}

void CHelpWindow::load() {
    const QString indexHtml = ReadUtf8(QDir(folder_).filePath(QStringLiteral("index.html")));
    valid_ = !indexHtml.isEmpty();
    if (!valid_) return;
    pages_.push_back({QStringLiteral("index.html"), TitleOf(indexHtml), PlainText(indexHtml), KeywordsOf(indexHtml)});
    // The contents are the pages index.html links to, in its order.
    static const QRegularExpression link(QStringLiteral("<a\\s+href=\"([^\"#:]+\\.html)\""),
                                         QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatchIterator it = link.globalMatch(indexHtml);
    while (it.hasNext()) {
        const QString file = it.next().captured(1);
        bool seen = false;
        for (const Page& p : pages_) seen = seen || p.file == file;
        if (seen) continue;
        const QString html = ReadUtf8(QDir(folder_).filePath(file));
        if (html.isEmpty()) continue;
        pages_.push_back({file, TitleOf(html), PlainText(html), KeywordsOf(html)});
    }
    for (const Page& p : pages_) {
        auto* item = new QListWidgetItem(p.title.isEmpty() ? p.file : p.title, contents_);
        item->setData(Qt::UserRole, p.file);
    }
    std::map<QString, QString> keywords;   // sorted, first page wins
    for (const Page& p : pages_)
        for (const QString& k : p.keywords) keywords.emplace(k, p.file);
    for (const auto& [k, file] : keywords) {
        auto* item = new QListWidgetItem(k, index_);
        item->setData(Qt::UserRole, file);
    }
}

void CHelpWindow::showContents() {
    if (valid_) openPage(QStringLiteral("index.html"));
    show();
    raise();
    activateWindow();
}

void CHelpWindow::showFinder() {
    tabs_->setCurrentIndex(0);
    showContents();
}

QStringList CHelpWindow::contentsTitles() const {
    QStringList titles;
    for (int i = 0; i < contents_->count(); ++i) titles.append(contents_->item(i)->text());
    return titles;
}

QStringList CHelpWindow::indexKeywords() const {
    QStringList words;
    for (int i = 0; i < index_->count(); ++i) words.append(index_->item(i)->text());
    return words;
}

QStringList CHelpWindow::search(const QString& words) const {
    const QStringList wanted = words.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QStringList found;
    if (wanted.isEmpty()) return found;
    for (const Page& p : pages_) {
        bool all = true;
        for (const QString& w : wanted) all = all && p.plainText.contains(w, Qt::CaseInsensitive);
        if (all) found.append(p.file);
    }
    return found;
}

void CHelpWindow::runSearch() {
    searchResults_->clear();
    const QStringList files = search(searchEdit_->text());
    for (const QString& file : files) {
        QString title = file;
        for (const Page& p : pages_)
            if (p.file == file && !p.title.isEmpty()) title = p.title;
        auto* item = new QListWidgetItem(title, searchResults_);
        item->setData(Qt::UserRole, file);
    }
    if (files.isEmpty()) new QListWidgetItem(QCoreApplication::translate("CHelpWindow", "No topic contains these words."), searchResults_);
}

void CHelpWindow::openPage(const QString& file) {
    if (file.isEmpty()) return;
    browser_->setSource(QUrl::fromLocalFile(QDir(folder_).filePath(file)));
}

QString CHelpWindow::currentPage() const { return QFileInfo(browser_->source().toLocalFile()).fileName(); }

}  // namespace velui
