#pragma once
// COptionalFeaturesDlg: the Optional Features dialog of the full application.
// It shows the radio-wide settings of the document's image when it opens
// (DecodeOptionalFeatures) and writes them back on OK
// (EncodeOptionalFeatures); Cancel leaves the image as it was.

#include <QDialog>

#include "image/image.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vel {
struct OptionalFeatures;
}

namespace velui {

class CUpDownEdit;

class COptionalFeaturesDlg : public QDialog {
    Q_OBJECT
public:
    COptionalFeaturesDlg(vel::Image& image, QWidget* parent = nullptr);

    /// OK: the controls into the image, then the dialog closes.
    void accept() override;

    // The controls, for the report's and the tests' eyes.
    CUpDownEdit* timeoutBox() const { return timeout_; }
    QComboBox* squelchList() const { return squelch_; }
    QComboBox* languageList() const { return language_; }
    QComboBox* voxGainList() const { return voxGain_; }
    QComboBox* priorityList() const { return priority_; }
    QComboBox* freqModeSignalList() const { return freqModeSignal_; }
    QComboBox* pf1List() const { return pf1_; }
    QComboBox* pf2List() const { return pf2_; }
    QCheckBox* beepBox() const { return beep_; }
    QCheckBox* batterySaveBox() const { return batterySave_; }
    QCheckBox* scramblerBox() const { return scrambler_; }
    QCheckBox* beginOfTxBox() const { return beginOfTx_; }
    QCheckBox* endOfTxBox() const { return endOfTx_; }
    QLabel* groupIdLabel() const { return groupIdLabel_; }
    QLineEdit* groupIdBox() const { return groupId_; }
    QLineEdit* idBox() const { return id_; }
    QLineEdit* callIdBox() const { return callId_; }
    QLineEdit* checkIdBox() const { return checkId_; }
    QLineEdit* killIdBox() const { return killId_; }
    QLineEdit* listenIdBox() const { return listenId_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void load();
    vel::OptionalFeatures collect() const;

    vel::Image& image_;
    CUpDownEdit* timeout_ = nullptr;
    QComboBox* squelch_ = nullptr;
    QComboBox* language_ = nullptr;
    QComboBox* voxGain_ = nullptr;
    QComboBox* priority_ = nullptr;
    QComboBox* freqModeSignal_ = nullptr;
    QComboBox* pf1_ = nullptr;
    QComboBox* pf2_ = nullptr;
    QCheckBox* beep_ = nullptr;
    QCheckBox* batterySave_ = nullptr;
    QCheckBox* scrambler_ = nullptr;
    QCheckBox* beginOfTx_ = nullptr;
    QCheckBox* endOfTx_ = nullptr;
    QLabel* groupIdLabel_ = nullptr;
    QLineEdit* groupId_ = nullptr;
    QLineEdit* id_ = nullptr;
    QLineEdit* callId_ = nullptr;
    QLineEdit* checkId_ = nullptr;
    QLineEdit* killId_ = nullptr;
    QLineEdit* listenId_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

/// Keys the ID box takes: digits, letters and Backspace put text in or take
/// it out; Tab, Shift+Tab, Enter and Escape still move through and close the
/// dialog. Every other key is discarded.
bool IdBoxKeyAllowed(int qtKey);

}  // namespace velui
