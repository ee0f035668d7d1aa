#include "optional_features_dlg.h"  // by its own name: the translation scan needs the class to find its texts

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/optional_features.h"
#include "settings/ui/control_widgets.h"
#include "settings/ui/up_down_edit.h"

namespace velui {
namespace {

constexpr int kTimeoutPositions = 40;
constexpr int kCodeLength = 8;
constexpr int kGroupIdLength = 4;
constexpr int kTimeoutTextLength = 10;

QComboBox* NewList(QWidget* parent, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->addItems(items);
    box->setCurrentIndex(-1);
    return box;
}

QLineEdit* NewCodeBox(QWidget* parent, int length) {
    auto* box = new QLineEdit(parent);
    box->setMaxLength(length);
    return box;
}

int IndexOr(const QComboBox* box) { return box->currentIndex(); }

// A code box's text one byte per character: characters outside ASCII (which
// store as "0" like any other non-letter) do not take up more than one place.
std::string CodeText(const QLineEdit* box) {
    std::string text;
    for (const QChar c : box->text()) text += c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '?';
    return text;
}

}  // namespace

bool IdBoxKeyAllowed(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return true;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return true;
    switch (qtKey) {
        case Qt::Key_Backspace:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            return true;
        default:
            return false;
    }
}

COptionalFeaturesDlg::COptionalFeaturesDlg(vel::Image& image, QWidget* parent) : QDialog(parent), image_(image) {
    setWindowTitle(tr("Optional Features"));
    buildControls();
    load();
}

void COptionalFeaturesDlg::buildControls() {
    // --- Function Set ---------------------------------------------------
    auto* functionSet = new QGroupBox(tr("Function Set"), this);
    auto* functionForm = new QFormLayout;
    functionForm->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);

    timeout_ = new CUpDownEdit(functionSet);
    MakeTimeoutBox(timeout_, kTimeoutTextLength);
    functionForm->addRow(tr("Time out time(TOT)(s)"), timeout_);

    QStringList digits;
    for (int i = 0; i <= 9; ++i) digits << QString::number(i);
    squelch_ = NewList(functionSet, digits);
    functionForm->addRow(tr("Squelch Level"), squelch_);

    language_ = NewList(functionSet, {tr("Chinese"), tr("English")});
    functionForm->addRow(tr("Language Choose"), language_);

    QStringList vox{tr("OFF")};
    for (int i = 1; i <= 10; ++i) vox << QString::number(i);
    voxGain_ = NewList(functionSet, vox);
    functionForm->addRow(tr("Vox Gain Level"), voxGain_);

    priority_ = NewList(functionSet, {});
    priority_->setMaxVisibleItems(16);
    functionForm->addRow(tr("Priority Channel"), priority_);

    // The PF key lists exist but are never shown.
    const QStringList keyFunctions{tr("None"), tr("Autodial"), tr("Key Lock"),
                                   tr("Monitor"), tr("Monitor Momentary"), tr("Scrambler")};
    pf1_ = NewList(functionSet, keyFunctions);
    pf2_ = NewList(functionSet, keyFunctions);
    functionForm->addRow(tr("PF1"), pf1_);
    functionForm->addRow(tr("PF2"), pf2_);
    functionForm->setRowVisible(pf1_, false);
    functionForm->setRowVisible(pf2_, false);

    beep_ = new QCheckBox(tr("Beep"), functionSet);
    batterySave_ = new QCheckBox(tr("Battery Save"), functionSet);
    scrambler_ = new QCheckBox(tr("Scrambler Activation"), functionSet);
    auto* switches = new QVBoxLayout;
    switches->addWidget(beep_);
    switches->addWidget(batterySave_);
    switches->addWidget(scrambler_);
    functionForm->addRow(QString(), switches);
    functionSet->setLayout(functionForm);

    // --- ID ---------------------------------------------------------------
    auto* idGroup = new QGroupBox(tr(" ID"), this);
    auto* idForm = new QFormLayout;
    idForm->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);

    groupId_ = NewCodeBox(idGroup, kGroupIdLength);
    groupId_->setValidator(NewEditValidator({.chars = vel::EditChars::Digits}, groupId_));
    groupIdLabel_ = new QLabel(tr("Group ID"), idGroup);
    idForm->addRow(groupIdLabel_, groupId_);
    groupIdLabel_->setVisible(false);

    id_ = NewCodeBox(idGroup, kCodeLength);
    id_->setValidator(NewEditValidator({.chars = vel::EditChars::LettersAndDigits, .upperCase = true}, id_));
    id_->installEventFilter(this);
    idForm->addRow(tr("ID"), id_);

    callId_ = NewCodeBox(idGroup, kCodeLength);
    callId_->setValidator(NewEditValidator({.upperCase = true}, callId_));
    idForm->addRow(tr("Call ID"), callId_);

    checkId_ = NewCodeBox(idGroup, kCodeLength);
    idForm->addRow(tr("Check ID"), checkId_);
    killId_ = NewCodeBox(idGroup, kCodeLength);
    idForm->addRow(tr("Kill ID"), killId_);
    listenId_ = NewCodeBox(idGroup, kCodeLength);
    idForm->addRow(tr("Listen ID"), listenId_);

    freqModeSignal_ = NewList(idGroup, {QStringLiteral("MSK"), QStringLiteral("DTMF"), QStringLiteral("CCIR"), tr("OFF")});
    idForm->addRow(tr("Opt Signal In Frequent Mode"), freqModeSignal_);

    beginOfTx_ = new QCheckBox(tr("Begin of Tx"), idGroup);
    endOfTx_ = new QCheckBox(tr("End of Tx"), idGroup);
    auto* txSwitches = new QHBoxLayout;
    txSwitches->addWidget(beginOfTx_);
    txSwitches->addWidget(endOfTx_);
    txSwitches->addStretch(1);
    idForm->addRow(QString(), txSwitches);
    idGroup->setLayout(idForm);

    // --- Buttons ----------------------------------------------------------
    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    cancel_ = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionalFeaturesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionalFeaturesDlg::reject);

    auto* groups = new QHBoxLayout;
    groups->addWidget(functionSet, 1);
    groups->addWidget(idGroup, 1);
    auto* main = new QVBoxLayout(this);
    main->addLayout(groups);
    main->addWidget(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);
}

void COptionalFeaturesDlg::load() {
    const vel::OptionalFeatures f = vel::DecodeOptionalFeatures(image_);

    priority_->clear();
    for (int channel = 1; channel <= 128; ++channel) priority_->addItem(QString::number(channel));

    timeout_->setRange(0, kTimeoutPositions);
    timeout_->setPosition(f.timeoutPosition);
    timeout_->setText(QString::fromStdString(vel::TimeoutText(timeout_->position())));

    squelch_->setCurrentIndex(f.squelchIndex);
    pf2_->setCurrentIndex(f.pf2Index);
    pf1_->setCurrentIndex(f.pf1Index);
    priority_->setCurrentIndex(f.priorityIndex);
    beep_->setChecked(f.beep);
    scrambler_->setChecked(f.scrambler);
    batterySave_->setChecked(f.batterySave);
    language_->setCurrentIndex(f.languageIndex);
    voxGain_->setCurrentIndex(f.voxGainIndex);
    freqModeSignal_->setCurrentIndex(f.freqModeSignalIndex);
    beginOfTx_->setChecked(f.beginOfTx);
    endOfTx_->setChecked(f.endOfTx);

    groupId_->setText(QString::fromStdString(f.groupId));
    id_->setText(QString::fromStdString(f.id));
    killId_->setText(QString::fromStdString(f.killId));
    callId_->setText(QString::fromStdString(f.callId));
    checkId_->setText(QString::fromStdString(f.checkId));
    listenId_->setText(QString::fromStdString(f.listenId));
}

vel::OptionalFeatures COptionalFeaturesDlg::collect() const {
    vel::OptionalFeatures f;
    f.timeoutPosition = timeout_->position();
    f.squelchIndex = IndexOr(squelch_);
    f.languageIndex = IndexOr(language_);
    f.voxGainIndex = IndexOr(voxGain_);
    f.beep = beep_->isChecked();
    f.batterySave = batterySave_->isChecked();
    f.scrambler = scrambler_->isChecked();
    f.priorityIndex = IndexOr(priority_);
    f.freqModeSignalIndex = IndexOr(freqModeSignal_);
    f.pf1Index = IndexOr(pf1_);
    f.pf2Index = IndexOr(pf2_);
    f.beginOfTx = beginOfTx_->isChecked();
    f.endOfTx = endOfTx_->isChecked();
    f.groupId = CodeText(groupId_);
    f.id = CodeText(id_);
    f.callId = CodeText(callId_);
    f.checkId = CodeText(checkId_);
    f.killId = CodeText(killId_);
    f.listenId = CodeText(listenId_);
    return f;
}

void COptionalFeaturesDlg::accept() {
    SettleTimeoutText(timeout_);
    vel::EncodeOptionalFeatures(collect(), image_);
    QDialog::accept();
}

bool COptionalFeaturesDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == id_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!IdBoxKeyAllowed(key->key())) return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace velui
