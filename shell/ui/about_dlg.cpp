#include "shell/ui/about_dlg.h"
#include "shell/ui/main_frame.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velui {

CAboutDlg::CAboutDlg(const QString& caption, const QString& line1, const QString& line2, QWidget* parent)
    : QDialog(parent) {
    EnsureShellResources();
    setWindowTitle(caption);
    auto* icon = picture_ = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/shell/icons/app.svg")).pixmap(QSize(48, 48)));
    line1_ = new QLabel(line1, this);
    line2_ = new QLabel(line2, this);
    auto* texts = new QVBoxLayout;
    texts->addWidget(line1_);
    texts->addWidget(line2_);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QCoreApplication::translate("CAboutDlg", "OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setModal(true);
}

QString CAboutDlg::line1() const { return line1_->text(); }
QString CAboutDlg::line2() const { return line2_->text(); }

}  // namespace velui
