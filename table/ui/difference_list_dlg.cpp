#include "difference_list_dlg.h"  // by its own name: the translation scan needs the class to find its texts

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "table/setting_names.h"

namespace velui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

CDifferenceListDlg::CDifferenceListDlg(Mode mode, vel::Lang lang, QString otherName, Compute compute, Use use,
                                       QString heading, QWidget* parent)
    : QDialog(parent),
      mode_(mode),
      lang_(lang),
      otherName_(std::move(otherName)),
      fixedHeading_(std::move(heading)),
      compute_(std::move(compute)),
      use_(std::move(use)) {
    setObjectName(QStringLiteral("CDifferenceListDlg"));
    setWindowTitle(mode_ == Mode::Compare ? tr("Compare") : tr("Check After Write"));
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("heading"));
    heading_->setWordWrap(true);
    list_ = new QTableWidget(this);
    list_->setObjectName(QStringLiteral("differenceList"));
    QStringList headers{tr("Setting"), mode_ == Mode::Compare ? tr("This document") : tr("Sent"),
                        mode_ == Mode::Compare ? otherName_ : tr("Radio has")};
    if (mode_ == Mode::Compare) headers << QString();
    list_->setColumnCount(static_cast<int>(headers.size()));
    list_->setHorizontalHeaderLabels(headers);
    list_->verticalHeader()->setVisible(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The setting takes the room; values and buttons take what they need.
    list_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(tr("Close"), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("closeButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(760, 420);
    refresh();
}

void CDifferenceListDlg::refresh() {
    rows_ = compute_ ? compute_() : std::vector<vel::ImageDifference>{};
    const int n = static_cast<int>(rows_.size());
    if (!fixedHeading_.isEmpty())
        heading_->setText(fixedHeading_);
    else if (n == 0)
        heading_->setText(tr("This document and %1 are the same.").arg(otherName_));
    else
        heading_->setText(tr("Differences between this document and %1: %2").arg(otherName_).arg(n));

    list_->clearContents();
    list_->setRowCount(n);
    for (int r = 0; r < n; ++r) {
        const vel::ImageDifference& d = rows_[static_cast<std::size_t>(r)];
        list_->setItem(r, 0, Cell(Q(d.where)));
        list_->setItem(r, 1, Cell(Q(vel::ShownValue(d.valueA, lang_))));
        list_->setItem(r, 2, Cell(Q(vel::ShownValue(d.valueB, lang_))));
        if (mode_ != Mode::Compare || !use_) continue;
        auto* button = new QPushButton(d.use == vel::UseScope::Channel ? tr("Use this channel") : tr("Use this value"));
        button->setObjectName(QStringLiteral("useButton"));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, r] { useRow(r); });
        list_->setCellWidget(r, 3, button);
    }
}

QPushButton* CDifferenceListDlg::useButton(int row) const {
    if (mode_ != Mode::Compare) return nullptr;
    return qobject_cast<QPushButton*>(list_->cellWidget(row, 3));
}

void CDifferenceListDlg::useRow(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || !use_) return;
    const vel::ImageDifference chosen = rows_[static_cast<std::size_t>(row)];
    use_(chosen);
    refresh();
}

}  // namespace velui
