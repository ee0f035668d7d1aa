#pragma once
// CKeyAssignmentDlg: Marlowe's Key Assignment dialog. It shows the functions
// of the two side buttons' short and long presses when it opens
// (DecodeKeyAssignment) and writes them into 0x3C5 and 0x3C6 on OK
// (EncodeKeyAssignment); Cancel leaves the image as it was.

#include <QDialog>

#include "image/image.h"

class QComboBox;
class QPushButton;

namespace velui {

class CKeyAssignmentDlg : public QDialog {
    Q_OBJECT
public:
    explicit CKeyAssignmentDlg(vel::Image& image, QWidget* parent = nullptr);

    /// OK: the lists into the image, then the dialog closes.
    void accept() override;

    /// The list of a control identifier (1073-1076), or nullptr.
    QComboBox* list(int id) const;
    QComboBox* button2ShortList() const { return button2Short_; }
    QComboBox* button2LongList() const { return button2Long_; }
    QComboBox* button3ShortList() const { return button3Short_; }
    QComboBox* button3LongList() const { return button3Long_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    vel::Image& image_;
    QComboBox* button2Short_ = nullptr;   // 1073
    QComboBox* button2Long_ = nullptr;    // 1075
    QComboBox* button3Short_ = nullptr;   // 1074
    QComboBox* button3Long_ = nullptr;    // 1076
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace velui
