#pragma once
// What the checks before a write found, by channel and setting, with the
// choice to write anyway or to cancel. The problems come from velcore's
// CheckImage; the dialog only lists them.

#include <QDialog>

#include <vector>

#include "image/language.h"
#include "table/image_checks.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace velui {

class CCheckResultDlg : public QDialog {
    Q_OBJECT
public:
    /// Accepted means "Write Anyway". With errors Cancel is the default
    /// button, with warnings only "Write Anyway" is.
    CCheckResultDlg(const std::vector<vel::ImageProblem>& problems, vel::Lang lang, QWidget* parent);

    QTableWidget* list() const { return list_; }
    QLabel* heading() const { return heading_; }
    QPushButton* writeAnywayButton() const { return writeAnyway_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    QLabel* heading_ = nullptr;
    QTableWidget* list_ = nullptr;
    QPushButton* writeAnyway_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace velui
