#include "shell/ui/progress_dialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMoveEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "link/session_texts.h"
#include "shell/ui/message_box.h"

namespace velui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The Chinese labels are those of the Chinese 16-channel build; the full
// application shows the same ones in its Chinese form.
const vel::ProgressDialogTexts& Labels(vel::Lang lang) {
    return vel::ProgressDialogLabels(lang == vel::Lang::Chinese ? vel::TextSet::ChineseCN : vel::TextSet::English);
}

}  // namespace

ProgressDialog::ProgressDialog(const vel::Family& family, vel::Lang lang, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      family_(family),
      lang_(lang) {
    setObjectName(QStringLiteral("ProgressDialog"));
    setModal(false);
    const vel::ProgressDialogTexts& texts = Labels(lang_);

    progressLabel_ = new QLabel(Q(texts.progressLabel), this);
    progressLabel_->setObjectName(QStringLiteral("progressLabel"));
    status_ = new QLabel(Q(texts.notStarted), this);
    status_->setObjectName(QStringLiteral("statusLine"));
    status_->setMinimumWidth(260);
    phase_ = new QLabel(this);
    phase_->setObjectName(QStringLiteral("phaseLine"));
    phase_->setVisible(false);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("progressBar"));
    bar_->setTextVisible(false);
    start_ = new QPushButton(Q(texts.start), this);
    start_->setObjectName(QStringLiteral("startButton"));
    start_->setDefault(true);
    cancelButton_ = new QPushButton(Q(texts.cancel), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setAutoDefault(false);

    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(progressLabel_);
    statusRow->addWidget(status_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(start_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(phase_);
    layout->addWidget(bar_);
    layout->addLayout(statusRow);
    layout->addLayout(buttons);

    connect(start_, &QPushButton::clicked, this, &ProgressDialog::onStart);
    connect(cancelButton_, &QPushButton::clicked, this, &ProgressDialog::reject);
}

bool ProgressDialog::openWindow(QWidget* centreOver) {
    if (isVisible()) return false;
    const vel::ProtocolParams& p = family_.protocol;
    bar_->setRange(0, p.progressMax);
    position_ = 0;
    bar_->setValue(0);
    cancel_ = false;
    guard_ = true;
    start_->setEnabled(true);
    status_->setText(Q(Labels(lang_).notStarted));
    setWindowTitle(caption_);

    adjustSize();
    QWidget* over = centreOver ? centreOver : parentWidget();
    if (over) {
        QRect frame = frameGeometry();
        frame.moveCenter(over->mapToGlobal(over->rect().center()));
        move(frame.topLeft());
    }
    show();
    activateWindow();
    start_->setFocus(Qt::OtherFocusReason);
    return true;
}

void ProgressDialog::retitle() {
    if (isVisible() && !running()) setWindowTitle(caption_);
}

void ProgressDialog::closeWindow() {
    start_->setEnabled(true);
    hide();
}

bool ProgressDialog::running() const { return isVisible() && !start_->isEnabled(); }

void ProgressDialog::setStatusText(const QString& text) { status_->setText(text); }

QString ProgressDialog::statusText() const { return status_->text(); }

void ProgressDialog::setPhaseText(const QString& text) {
    phase_->setText(text);
    phase_->setVisible(!text.isEmpty());
}

QString ProgressDialog::phaseText() const { return phase_->text(); }

void ProgressDialog::setPosition(int position) {
    position_ = position;
    // QProgressBar ignores a value outside its range: show the end instead.
    bar_->setValue(std::clamp(position, bar_->minimum(), bar_->maximum()));
}

QString ProgressDialog::interruptionText() const {
    return Q(vel::SessionMessage(vel::SessionText::CommunicationInterrupted, vel::InterfaceTextSet(lang_)));
}

void ProgressDialog::onStart() {
    // A disabled Start is how every handler knows that a session runs.
    start_->setEnabled(false);
    emit startRequested();
}

void ProgressDialog::reject() {
    cancel_ = true;
    // Before Start nothing runs: close at once. During a session the session
    // itself sees the flag at its next pump round, closes the port and then
    // the dialog.
    if (start_->isEnabled()) QDialog::reject();
}

bool ProgressDialog::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowDeactivate && family_.protocol.cancelOnDeactivateOrMove && !cancel_ &&
        running() && guard_)
        interrupt();
    return handled;
}

void ProgressDialog::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    // One drag brings many move events: the first one cancels, the others
    // find the flag set and add no further message.
    if (family_.protocol.cancelOnDeactivateOrMove && running() && !cancel_) interrupt();
}

void ProgressDialog::interrupt() {
    cancel_ = true;
    ShowMessage(this, QMessageBox::Warning, messageTitle_, interruptionText());
}

}  // namespace velui
