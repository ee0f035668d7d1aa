#include "channel_edit_dlg.h"  // by its own name: the translation scan needs the class to find its texts

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "settings/ui/dialog_message.h"
#include "settings/ui/up_down_edit.h"
#include "signalling/channel_signalling.h"
#include "signalling/integer_field.h"

namespace velui {
namespace {

constexpr int kTwoToneIndex = 3;
constexpr int kCallLimit = 32;
constexpr int kDecodeLimit = 8;

CUpDownEdit* NewUpDown(QWidget* parent, int lower, int upper, int maxLength) {
    auto* box = new CUpDownEdit(parent);
    box->setRange(lower, upper);
    box->setMaxLength(maxLength);
    box->setAlignment(Qt::AlignRight);
    box->setMinimumWidth(150);
    return box;
}

}  // namespace

CChannelEditDlg::CChannelEditDlg(vel::Image& image, int channel, ChannelTableAccess& table, QWidget* parent)
    : QDialog(parent), image_(image), table_(table) {
    setWindowTitle(tr("Channel Edit"));

    channelBox_ = NewUpDown(this, 1, vel::kSignallingChannelCount, 3);
    type_ = new QComboBox(this);
    for (const std::string& text : vel::SignallingTypeTexts()) type_->addItem(QString::fromStdString(text));
    type_->setMinimumWidth(150);

    twoToneGroup_ = new QGroupBox(tr("Opt Signal(2 Tone)"), this);
    call_ = NewUpDown(twoToneGroup_, 0, kCallLimit, 2);
    decode_ = NewUpDown(twoToneGroup_, 0, kDecodeLimit, 2);
    call_->edit()->installEventFilter(this);
    decode_->edit()->installEventFilter(this);
    auto* twoToneForm = new QFormLayout(twoToneGroup_);
    twoToneForm->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    twoToneForm->setContentsMargins(16, 12, 16, 12);
    twoToneForm->setVerticalSpacing(10);
    twoToneForm->addRow(tr("Call"), call_);
    twoToneForm->addRow(tr("Decode"), decode_);
    // The dialog keeps its size while the group is hidden.
    QSizePolicy policy = twoToneGroup_->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    twoToneGroup_->setSizePolicy(policy);

    // OK is never shown; Enter still ends the dialog through it.
    ok_ = new QPushButton(tr("OK"), this);
    ok_->setVisible(false);
    connect(ok_, &QPushButton::clicked, this, &CChannelEditDlg::accept);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setVerticalSpacing(10);
    form->addRow(tr("Channel"), channelBox_);
    form->addRow(tr("Opt Signal"), type_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 20);
    layout->setSpacing(14);
    layout->addLayout(form);
    layout->addWidget(twoToneGroup_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(type_, &QComboBox::activated, this, [this](int) { refresh(); });
    connect(channelBox_, &CUpDownEdit::deltaPos, this, [this](int step) {
        const int next = vel::StepChannel(channel_, step);
        channelBox_->setText(QString::number(next));
        changeChannel(next);
    });
    connect(channelBox_->edit(), &QLineEdit::textEdited, this, &CChannelEditDlg::onChannelTyped);
    connect(channelBox_, &QAbstractSpinBox::editingFinished, this,
            [this] { channelBox_->setText(QString::number(channel_)); });
    connect(call_, &CUpDownEdit::deltaPos, this, [this](int step) {
        call_->setText(QString::fromStdString(vel::StepCallDecode(call_->text().toStdString(), step, kCallLimit)));
    });
    connect(decode_, &CUpDownEdit::deltaPos, this, [this](int step) {
        decode_->setText(
            QString::fromStdString(vel::StepCallDecode(decode_->text().toStdString(), step, kDecodeLimit)));
    });

    // Opening: the channel, its type, then the refresh (which stores the type).
    channel_ = std::clamp(channel, 1, vel::kSignallingChannelCount);
    channelBox_->setPosition(channel_);
    channelBox_->setText(QString::number(channel_));
    const int index = vel::SignallingTypeIndex(signallingByte());
    if (index >= 0) {
        type_->setCurrentIndex(index);
    } else {
        type_->setCurrentIndex(-1);
        type_->setEnabled(false);
    }
    refresh();
}

vel::Byte& CChannelEditDlg::signallingByte() {
    return image_.at(static_cast<std::size_t>(vel::SignallingRecordAddr(channel_) + vel::kSignallingByte));
}

vel::Byte& CChannelEditDlg::twoToneByte() {
    return image_.at(static_cast<std::size_t>(vel::SignallingRecordAddr(channel_) + vel::kTwoToneByte));
}

void CChannelEditDlg::refresh() {
    const vel::Byte signalling = signallingByte();
    const vel::Byte twoTone = twoToneByte();
    if (type_->currentIndex() == kTwoToneIndex) {
        twoToneGroup_->setVisible(true);
        call_->setText(QString::fromStdString(vel::CallText(signalling, twoTone)));
        decode_->setText(QString::fromStdString(vel::DecodeText(signalling, twoTone)));
    } else {
        twoToneGroup_->setVisible(false);
        call_->setText(QString::number(twoTone & 0x1F));
        decode_->setText(QString::number(twoTone >> 5));
    }
    signallingByte() = vel::StoreSignallingType(signalling, type_->currentIndex());
    table_.fillChannelTable();
}

void CChannelEditDlg::selectTypeOfChannel() {
    const int index = vel::SignallingTypeIndex(signallingByte());
    type_->setEnabled(index >= 0);
    type_->setCurrentIndex(index);
    twoToneGroup_->setVisible(index == kTwoToneIndex);
}

void CChannelEditDlg::changeChannel(int channel) {
    // The channel left behind keeps the Call and Decode it shows, as it
    // would on closing.
    storeCallDecode();
    table_.storeChannelTable();
    channel_ = channel;
    channelBox_->setPosition(channel_);
    selectTypeOfChannel();
    refresh();
}

void CChannelEditDlg::onChannelTyped(const QString& text) {
    // An empty box is a number still being typed; leaving it puts the
    // channel's number back.
    if (text.trimmed().isEmpty()) return;
    const vel::IntegerField field = vel::ReadIntegerField(text.toStdString(), 1, vel::kSignallingChannelCount);
    if (field.status == vel::IntegerFieldStatus::Ok) {
        if (field.value != channel_) changeChannel(field.value);
        return;
    }
    // A number that is no channel never becomes the current one.
    channelBox_->setText(QString::number(channel_));
    if (field.status == vel::IntegerFieldStatus::NotInteger)
        ShowDialogMessage(this, tr("Please enter an integer."));
    else
        ShowDialogMessage(this, tr("Please enter an integer between %1 and %2.").arg(1).arg(vel::kSignallingChannelCount));
}

void CChannelEditDlg::storeCallDecode() {
    if (type_->currentIndex() != kTwoToneIndex) return;
    vel::StoreCallDecode(call_->text().toStdString(), decode_->text().toStdString(), signallingByte(), twoToneByte());
}

void CChannelEditDlg::accept() {
    storeCallDecode();
    QDialog::accept();
}

void CChannelEditDlg::reject() {
    storeCallDecode();
    QDialog::reject();
}

void CChannelEditDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ok_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CChannelEditDlg::eventFilter(QObject* watched, QEvent* event) {
    // Call and Decode take digits only.
    if ((watched == call_->edit() || watched == decode_->edit()) && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty() && text.at(0).isPrint() && !(text.at(0) >= u'0' && text.at(0) <= u'9')) return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace velui
