#include "check_result_dlg.h"  // by its own name: the translation scan needs the class to find its texts

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

}  // namespace

CCheckResultDlg::CCheckResultDlg(const std::vector<vel::ImageProblem>& problems, vel::Lang lang, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("CCheckResultDlg"));
    setWindowTitle(tr("Checks Before Writing"));
    const int errors = vel::ErrorCount(problems);
    const int warnings = static_cast<int>(problems.size()) - errors;
    heading_ = new QLabel(tr("The checks before writing found %1 errors and %2 warnings.").arg(errors).arg(warnings),
                          this);
    heading_->setObjectName(QStringLiteral("heading"));
    heading_->setWordWrap(true);

    list_ = new QTableWidget(static_cast<int>(problems.size()), 4, this);
    list_->setObjectName(QStringLiteral("problemList"));
    list_->setHorizontalHeaderLabels({tr("Kind"), tr("Setting"), tr("Value"), tr("Problem")});
    list_->verticalHeader()->setVisible(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->horizontalHeader()->setStretchLastSection(true);
    for (int r = 0; r < list_->rowCount(); ++r) {
        const vel::ImageProblem& p = problems[static_cast<std::size_t>(r)];
        const QStringList texts{Q(vel::SeverityWord(p.severity, lang)), Q(p.where), Q(vel::ShownValue(p.value, lang)),
                                Q(p.message)};
        for (int c = 0; c < texts.size(); ++c) list_->setItem(r, c, new QTableWidgetItem(texts[c]));
    }

    auto* buttons = new QDialogButtonBox(this);
    writeAnyway_ = buttons->addButton(tr("Write Anyway"), QDialogButtonBox::AcceptRole);
    writeAnyway_->setObjectName(QStringLiteral("writeAnywayButton"));
    cancel_ = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    (errors > 0 ? cancel_ : writeAnyway_)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(820, 380);
}

}  // namespace velui
