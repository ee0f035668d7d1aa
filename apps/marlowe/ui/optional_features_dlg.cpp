#include "optional_features_dlg.h"  // by its own name: the translation scan needs the class to find its texts

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "apps/marlowe/marlowe_settings.h"
#include "apps/marlowe/ui/dialog_frame.h"

namespace velui::marlowe {
namespace {

QStringList Numbers(int from, int to) {
    QStringList texts;
    for (int i = from; i <= to; ++i) texts << QString::number(i);
    return texts;
}

}  // namespace

COptionalFeaturesDlg::COptionalFeaturesDlg(vel::Image& image, QWidget* parent) : QDialog(parent), image_(image) {
    setWindowTitle(tr("Optional Features"));
    const auto newList = [this](const QStringList& items) {
        auto* box = new QComboBox(this);
        box->addItems(items);
        box->setMaxVisibleItems(items.size());
        box->setCurrentIndex(-1);
        return box;
    };

    QStringList timeout{tr("Off")};
    for (int seconds = 30; seconds <= 300; seconds += 30) timeout << tr("%1s").arg(seconds);
    timeout_ = newList(timeout);
    squelch_ = newList(Numbers(0, 9));
    voice_ = newList({tr("Off"), tr("English"), tr("Chinese")});
    voxGain_ = newList(QStringList{tr("Off")} + Numbers(1, 9));
    powerRank_ = newList(Numbers(0, 9));
    beep_ = newList({tr("Disable"), tr("Enable")});
    scrambler_ = newList({tr("On"), tr("Off")});
    batterySave_ = newList({tr("Enable"), tr("Disable")});
    bandWidth_ = newList({tr("WIDE"), tr("NARROW")});

    auto* left = new QFormLayout;
    left->addRow(tr("Time out Time(TOT)"), timeout_);
    left->addRow(tr("Squelch(SQ)"), squelch_);
    left->addRow(tr("Voice Announcement"), voice_);
    left->addRow(tr("VOX Gain Level"), voxGain_);
    auto* right = new QFormLayout;
    right->addRow(tr("TX Power Rank"), powerRank_);
    right->addRow(tr("Beep"), beep_);
    right->addRow(tr("Scrambler"), scrambler_);
    right->addRow(tr("Battery Save"), batterySave_);
    // The band width list and its label exist but are never shown.
    bandWidthLabel_ = new QLabel(tr("Band  Width"), this);
    right->addRow(bandWidthLabel_, bandWidth_);
    right->setRowVisible(bandWidth_, false);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(16);
    columns->addLayout(right);

    FrameSettingsDialog(this, columns, ok_, cancel_);

    const vel::MarloweOptionalFeatures f = vel::DecodeMarloweOptionalFeatures(image_);
    beep_->setCurrentIndex(f.beepIndex);
    batterySave_->setCurrentIndex(f.batterySaveIndex);
    squelch_->setCurrentIndex(f.squelchIndex);
    timeout_->setCurrentIndex(f.timeoutIndex);
    powerRank_->setCurrentIndex(f.powerRankIndex);
    scrambler_->setCurrentIndex(f.scramblerIndex);
    voxGain_->setCurrentIndex(f.voxGainIndex);
    voice_->setCurrentIndex(f.voiceIndex);
}

QComboBox* COptionalFeaturesDlg::list(int id) const {
    switch (id) {
        case 1013: return timeout_;
        case 1014: return beep_;
        case 1016: return squelch_;
        case 1018: return powerRank_;
        case 1073: return bandWidth_;
        case 1075: return voice_;
        case 1076: return voxGain_;
        case 1077: return scrambler_;
        case 1078: return batterySave_;
        default: return nullptr;
    }
}

void COptionalFeaturesDlg::accept() {
    vel::MarloweOptionalFeatures f;
    f.beepIndex = beep_->currentIndex();
    f.batterySaveIndex = batterySave_->currentIndex();
    f.squelchIndex = squelch_->currentIndex();
    f.timeoutIndex = timeout_->currentIndex();
    f.powerRankIndex = powerRank_->currentIndex();
    f.scramblerIndex = scrambler_->currentIndex();
    f.voxGainIndex = voxGain_->currentIndex();
    f.voiceIndex = voice_->currentIndex();
    vel::EncodeMarloweOptionalFeatures(f, image_);
    QDialog::accept();
}

}  // namespace velui::marlowe
