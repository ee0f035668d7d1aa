#pragma once
// The about box: the application icon, two lines of text and OK.

#include <QDialog>

class QLabel;

namespace velui {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    CAboutDlg(const QString& caption, const QString& line1, const QString& line2, QWidget* parent = nullptr);
    QString line1() const;
    QString line2() const;
    /// The picture beside the texts (control 1097): the application icon.
    QLabel* picture() const { return picture_; }

private:
    QLabel* picture_ = nullptr;
    QLabel* line1_ = nullptr;
    QLabel* line2_ = nullptr;
};

}  // namespace velui
