#include "shell/ui/progress_dialog.h"

#include <QCoreApplication>
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

QString Tr(const char* text) { return QCoreApplication::translate("ProgressDialog", text); }

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
    statusText_ = Q(texts.notStarted);
    status_ = new QLabel(statusText_, this);
    status_->setObjectName(QStringLiteral("statusLine"));
    status_->setMinimumWidth(260);
    timeLeftLabel_ = new QLabel(this);
    timeLeftLabel_->setObjectName(QStringLiteral("timeLeft"));
    timeLeftLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Wide enough for any time left from the start: the dialog must not
    // change its size (or, with some window managers, its place: moving
    // cancels a session) when the text grows.
    timeLeftLabel_->setMinimumWidth(timeLeftLabel_->fontMetrics().horizontalAdvance(
                                        Tr(QT_TRANSLATE_NOOP("ProgressDialog", "%1 %, %2 s left")).arg(100).arg(9999)) +
                                    8);
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
    statusRow->addWidget(timeLeftLabel_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(start_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(phase_);
    layout->addWidget(bar_);
    layout->addLayout(statusRow);
    layout->addLayout(buttons);

    displayTimer_.setSingleShot(true);
    connect(&displayTimer_, &QTimer::timeout, this, &ProgressDialog::showProgressNow);
    connect(start_, &QPushButton::clicked, this, &ProgressDialog::onStart);
    connect(cancelButton_, &QPushButton::clicked, this, &ProgressDialog::reject);
}

bool ProgressDialog::openWindow(QWidget* centreOver) {
    if (isVisible()) return false;
    const vel::ProtocolParams& p = family_.protocol;
    bar_->setRange(0, p.progressMax);
    position_ = 0;
    cancel_ = false;
    guard_ = true;
    start_->setEnabled(true);
    statusText_ = Q(Labels(lang_).notStarted);
    timeLeft_.clear();
    showProgressNow();
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
    showProgressNow();
    hide();
}

bool ProgressDialog::running() const { return isVisible() && !start_->isEnabled(); }

void ProgressDialog::setStatusText(const QString& text) {
    statusText_ = text;
    progressChanged();
}

void ProgressDialog::setPhaseText(const QString& text) {
    phase_->setText(text);
    phase_->setVisible(!text.isEmpty());
}

QString ProgressDialog::phaseText() const { return phase_->text(); }

void ProgressDialog::setPosition(int position) {
    position_ = position;
    progressChanged();
}

void ProgressDialog::setTimeLeft(int percent, int seconds) {
    timeLeft_ = percent < 0 ? QString()
                            : Tr(QT_TRANSLATE_NOOP("ProgressDialog", "%1 %, %2 s left")).arg(percent).arg(seconds);
    progressChanged();
}

void ProgressDialog::progressChanged() {
    // A session changes the progress once a block, up to some seventy times a
    // second, and every repaint of the dialog is drawn by the processor on
    // the session's thread: a new text in the labels and the repaint cost
    // about 1 ms offscreen, more on a busy machine. Drawn in a pump round,
    // that time adds to the session, since the line waits for it. So while a
    // session runs the display follows at most every kDisplayIntervalMs (ten
    // times a second reads as smooth), and it is drawn in the session's
    // pauses, which last as long as they would anyway. The timer is for a
    // session without pauses in reach; the values are always the newest.
    if (!running() || !sinceShown_.isValid()) {
        showProgressNow();
        return;
    }
    pending_ = true;
    if (!displayTimer_.isActive())
        displayTimer_.start(static_cast<int>(std::max<qint64>(0, kFallbackDisplayMs - sinceShown_.elapsed())));
}

bool ProgressDialog::progressDue() const {
    return pending_ && running() && sinceShown_.isValid() && sinceShown_.elapsed() >= kDisplayIntervalMs;
}

void ProgressDialog::paintProgressIfDue() {
    if (!progressDue()) return;
    showProgressNow();
    // A longer text asks for a new layout; settling it here keeps the pump
    // round from laying out and drawing the dialog a second time.
    if (layout()) layout()->activate();
    repaint();
}

void ProgressDialog::showProgressNow() {
    displayTimer_.stop();
    pending_ = false;
    // QProgressBar ignores a value outside its range: show the end instead.
    bar_->setValue(std::clamp(position_, bar_->minimum(), bar_->maximum()));
    status_->setText(statusText_);
    timeLeftLabel_->setText(timeLeft_);
    sinceShown_.start();
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
