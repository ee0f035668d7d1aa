#pragma once
// The difference list of two images side by side, by channel and setting:
// File › Compare With (this document against a file or the radio, with "Use
// this value" on every row) and the check after a write (what was sent
// against what the radio holds). The rows come from velcore's CompareImages;
// the dialog only shows them and hands a chosen row back.

#include <QDialog>
#include <QString>

#include <functional>
#include <vector>

#include "image/language.h"
#include "table/image_compare.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace velui {

class CDifferenceListDlg : public QDialog {
    Q_OBJECT
public:
    enum class Mode {
        Compare,   ///< "This document" against another, "Use this value" per row
        Verify,    ///< "Sent" against "Radio has", nothing to take over
    };
    using Compute = std::function<std::vector<vel::ImageDifference>()>;
    using Use = std::function<void(const vel::ImageDifference&)>;

    /// `compute` gives the rows (again after every "Use this value");
    /// `otherName` heads the second value column in Compare mode; `heading`
    /// replaces the line above the list when not empty.
    CDifferenceListDlg(Mode mode, vel::Lang lang, QString otherName, Compute compute, Use use, QString heading,
                       QWidget* parent);

    /// Computes and shows the rows again.
    void refresh();

    const std::vector<vel::ImageDifference>& differences() const { return rows_; }
    QTableWidget* list() const { return list_; }
    QLabel* heading() const { return heading_; }
    /// The "Use this value" button of row `row` (Compare mode), or nullptr.
    QPushButton* useButton(int row) const;

private:
    void useRow(int row);

    Mode mode_;
    vel::Lang lang_;
    QString otherName_;
    QString fixedHeading_;
    Compute compute_;
    Use use_;
    std::vector<vel::ImageDifference> rows_;
    QLabel* heading_ = nullptr;
    QTableWidget* list_ = nullptr;
};

}  // namespace velui
