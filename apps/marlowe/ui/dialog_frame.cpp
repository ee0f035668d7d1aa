#include "dialog_frame.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace velui {

void FrameSettingsDialog(QDialog* dialog, QLayout* body, QPushButton*& ok, QPushButton*& cancel) {
    auto* buttons = new QDialogButtonBox(dialog);
    ok = buttons->addButton(QCoreApplication::translate("SettingsDialog", "OK"), QDialogButtonBox::AcceptRole);
    cancel = buttons->addButton(QCoreApplication::translate("SettingsDialog", "Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);

    auto* main = new QVBoxLayout(dialog);
    main->addLayout(body);
    main->addWidget(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace velui
