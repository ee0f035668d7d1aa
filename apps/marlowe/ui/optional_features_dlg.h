#pragma once
// Marlowe's Optional Features dialog: time-out, squelch, voice announcement,
// VOX gain, transmit power rank, beep, scrambler and battery save (image
// bytes 0x3C0-0x3C7). It shows them when it opens
// (DecodeMarloweOptionalFeatures) and writes them on OK
// (EncodeMarloweOptionalFeatures); Cancel leaves the image as it was. The
// Band Width list exists, hidden with its label, and stores nothing.

#include <QDialog>

#include "image/image.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace velui::marlowe {

class COptionalFeaturesDlg : public QDialog {
    Q_OBJECT
public:
    explicit COptionalFeaturesDlg(vel::Image& image, QWidget* parent = nullptr);

    /// OK: the lists into the image, then the dialog closes.
    void accept() override;

    /// The list of a control identifier (1013, 1014, 1016, 1018, 1073,
    /// 1075-1078), or nullptr.
    QComboBox* list(int id) const;
    QLabel* bandWidthLabel() const { return bandWidthLabel_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    vel::Image& image_;
    QComboBox* timeout_ = nullptr;       // 1013
    QComboBox* squelch_ = nullptr;       // 1016
    QComboBox* voice_ = nullptr;         // 1075
    QComboBox* voxGain_ = nullptr;       // 1076
    QComboBox* powerRank_ = nullptr;     // 1018
    QComboBox* beep_ = nullptr;          // 1014
    QComboBox* scrambler_ = nullptr;     // 1077
    QComboBox* batterySave_ = nullptr;   // 1078
    QComboBox* bandWidth_ = nullptr;     // 1073, hidden
    QLabel* bandWidthLabel_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace velui::marlowe
