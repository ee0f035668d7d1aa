#include "key_assignment_dlg.h"  // by its own name: the translation scan needs the class to find its texts

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>

#include "apps/marlowe/marlowe_settings.h"
#include "apps/marlowe/ui/dialog_frame.h"

namespace velui {

CKeyAssignmentDlg::CKeyAssignmentDlg(vel::Image& image, QWidget* parent) : QDialog(parent), image_(image) {
    setWindowTitle(tr("Key Assignment"));
    // The nine functions in the order of their stored values.
    const QStringList functions{tr("NO Function"),    tr("Monitor"),           tr("Scan ON/OFF"),
                                tr("Scan Temperary Delete"), tr("High/Low Power"), tr("Talk Around"),
                                tr("Reverse Frequency"),     tr("Vox ON/OFF"),     tr("Scrambler ON/OFF")};
    const auto newList = [&](QWidget* parent) {
        auto* box = new QComboBox(parent);
        box->addItems(functions);
        box->setMaxVisibleItems(functions.size());
        return box;
    };
    const auto newGroup = [&](const QString& title, QComboBox*& shortPress, QComboBox*& longPress) {
        auto* group = new QGroupBox(title, this);
        auto* form = new QFormLayout(group);
        shortPress = newList(group);
        longPress = newList(group);
        form->addRow(tr("Short Press"), shortPress);
        form->addRow(tr("Long Press"), longPress);
        return group;
    };
    auto* groups = new QHBoxLayout;
    groups->addWidget(newGroup(tr("Side Button 2"), button2Short_, button2Long_));
    groups->addWidget(newGroup(tr("Side Button 3"), button3Short_, button3Long_));

    FrameSettingsDialog(this, groups, ok_, cancel_);

    const vel::KeyAssignment keys = vel::DecodeKeyAssignment(image_);
    button2Short_->setCurrentIndex(keys.button2Short);
    button2Long_->setCurrentIndex(keys.button2Long);
    button3Short_->setCurrentIndex(keys.button3Short);
    button3Long_->setCurrentIndex(keys.button3Long);
}

QComboBox* CKeyAssignmentDlg::list(int id) const {
    switch (id) {
        case 1073: return button2Short_;
        case 1075: return button2Long_;
        case 1074: return button3Short_;
        case 1076: return button3Long_;
        default: return nullptr;
    }
}

void CKeyAssignmentDlg::accept() {
    vel::KeyAssignment keys;
    keys.button2Short = button2Short_->currentIndex();
    keys.button2Long = button2Long_->currentIndex();
    keys.button3Short = button3Short_->currentIndex();
    keys.button3Long = button3Long_->currentIndex();
    vel::EncodeKeyAssignment(keys, image_);
    QDialog::accept();
}

}  // namespace velui
