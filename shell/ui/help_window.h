#pragma once
// The help window: the HTML help pages of one language (a folder with
// index.html as its contents page) shown with a contents list, a keyword
// index and a full-text search.

#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

namespace velui {

class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    /// `folder` holds index.html and the pages it links to.
    explicit CHelpWindow(const QString& folder, QWidget* parent = nullptr);

    const QString& folder() const { return folder_; }
    /// False when the folder has no index.html.
    bool isValid() const { return valid_; }

    /// Shows the contents page (context help).
    void showContents();
    /// Shows the contents page with the contents list in front (Help Topics).
    void showFinder();

    /// Titles of the contents list, in the order of index.html.
    QStringList contentsTitles() const;
    /// The keywords of the index, sorted.
    QStringList indexKeywords() const;
    /// File names of the pages that contain every word of `words` (any case).
    QStringList search(const QString& words) const;
    /// Opens page `file` (a file name inside the folder).
    void openPage(const QString& file);
    /// File name of the page shown.
    QString currentPage() const;

private:
    struct Page {
        QString file;
        QString title;
        QString plainText;
        QStringList keywords;
    };
    void load();
    void runSearch();

    QString folder_;
    bool valid_ = false;
    std::vector<Page> pages_;   // contents order
    QTabWidget* tabs_ = nullptr;
    QListWidget* contents_ = nullptr;
    QListWidget* index_ = nullptr;
    QLineEdit* searchEdit_ = nullptr;
    QListWidget* searchResults_ = nullptr;
    QTextBrowser* browser_ = nullptr;
};

}  // namespace velui
