#include "import_channels_dlg.h"  // by its own name: the translation scan needs the class to find its texts

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velui {

CImportChannelsDlg::CImportChannelsDlg(const QString& fileName, vel::Lang lang, Import import, QWidget* parent)
    : QDialog(parent), lang_(lang), import_(std::move(import)) {
    setWindowTitle(tr("Import Channels"));
    auto* layout = new QVBoxLayout(this);

    auto* file = new QLabel(tr("File: %1").arg(fileName), this);
    file->setObjectName(QStringLiteral("fileLabel"));
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(file);
    form_ = new QLabel(this);
    form_->setObjectName(QStringLiteral("formLabel"));
    layout->addWidget(form_);

    auto* where = new QGroupBox(tr("Where the channels go"), this);
    auto* whereLayout = new QVBoxLayout(where);
    replace_ = new QRadioButton(tr("&Replace the whole channel table"), where);
    merge_ = new QRadioButton(tr("&Write each channel at its number (CH or Location)"), where);
    append_ = new QRadioButton(tr("&Append after the last channel in use"), where);
    replace_->setObjectName(QStringLiteral("replaceMode"));
    merge_->setObjectName(QStringLiteral("mergeMode"));
    append_->setObjectName(QStringLiteral("appendMode"));
    for (QRadioButton* b : {replace_, merge_, append_}) {
        whereLayout->addWidget(b);
        connect(b, &QRadioButton::toggled, this, [this, b](bool on) {
            if (!on) return;
            mode_ = b == merge_ ? vel::ImportMode::Merge : b == append_ ? vel::ImportMode::Append : vel::ImportMode::Replace;
            refresh();
        });
    }
    layout->addWidget(where);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summaryLabel"));
    summary_->setWordWrap(true);
    layout->addWidget(summary_);
    report_ = new QPlainTextEdit(this);
    report_->setObjectName(QStringLiteral("reportView"));
    report_->setReadOnly(true);
    report_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    report_->setMinimumSize(560, 160);
    layout->addWidget(report_, 1);

    auto* buttons = new QDialogButtonBox(this);
    apply_ = buttons->addButton(tr("Apply"), QDialogButtonBox::AcceptRole);
    apply_->setObjectName(QStringLiteral("applyButton"));
    QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    replace_->setChecked(true);   // runs the first import
}

QRadioButton* CImportChannelsDlg::modeButton(vel::ImportMode mode) const {
    switch (mode) {
        case vel::ImportMode::Replace: return replace_;
        case vel::ImportMode::Merge: return merge_;
        case vel::ImportMode::Append: return append_;
    }
    return replace_;
}

void CImportChannelsDlg::setMode(vel::ImportMode mode) { modeButton(mode)->setChecked(true); }

void CImportChannelsDlg::refresh() {
    result_ = import_(mode_);
    form_->setText(result_.form == vel::CsvForm::Native ? tr("Form: the channel table of this program")
                                                         : tr("Form: the common exchange layout"));
    summary_->setText(tr("Channels imported: %1. Rows refused: %2. Rows without a frequency: %3.")
                          .arg(result_.imported)
                          .arg(result_.refused.size())
                          .arg(result_.emptyRows));
    QStringList lines;
    for (const std::string& line : vel::DescribeImport(result_, lang_)) lines.append(QString::fromStdString(line));
    report_->setPlainText(lines.isEmpty() ? tr("Every row is imported as the file states it.") : lines.join('\n'));
    // Nothing to put in place: Apply would only empty the table.
    apply_->setEnabled(result_.ok && result_.imported + result_.emptyRows > 0);
}

}  // namespace velui
