#include "shell/ui/qt_session_host.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <cmath>
#include <variant>

#include "shell/ui/message_box.h"
#include "shell/ui/progress_dialog.h"
#include "table/ui/vel_view.h"

namespace velui {

QMessageBox::StandardButtons MessageBoxButtons(vel::MessageButtons buttons) {
    switch (buttons) {
        case vel::MessageButtons::Ok: return QMessageBox::Ok;
        case vel::MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case vel::MessageButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

vel::MessageAnswer MessageAnswerOf(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Ok: return vel::MessageAnswer::Ok;
        case QMessageBox::Retry: return vel::MessageAnswer::Retry;
        default: return vel::MessageAnswer::Cancel;
    }
}

vel::MessageAnswer QtMessageHost::showMessage(const std::string& text, vel::MessageButtons buttons) {
    const QMessageBox::Icon icon =
        buttons == vel::MessageButtons::Ok ? QMessageBox::Information : QMessageBox::Warning;
    const QMessageBox::StandardButtons shown = MessageBoxButtons(buttons);
    const QMessageBox::StandardButton defaultButton =
        buttons == vel::MessageButtons::RetryCancel ? QMessageBox::Retry : QMessageBox::Ok;
    return MessageAnswerOf(ShowMessage(parent_, icon, title_, QString::fromStdString(text), shown, defaultButton));
}

QtSessionHost::QtSessionHost(ProgressDialog& dialog, CVelView& view, QString title, vel::Clock& clock,
                             const vel::Family& family, std::vector<vel::Direction> phases)
    : QtMessageHost(&dialog, std::move(title)),
      dialog_(dialog),
      view_(view),
      clock_(clock),
      estimate_(family, std::move(phases)) {}

void QtSessionHost::pumpOne() {
    // A session runs up to 201 pump rounds between two blocks, and every look
    // at the window system's queue costs tens of microseconds: looking in
    // every round would cost a write block a quarter of its time. Input
    // handled within a millisecond cannot be told from input handled at once,
    // so a round looks only when the interval has passed since the last look;
    // the others leave the session only its test of the cancel flag. Every
    // block, and every round with a pause, still looks.
    const std::int64_t now = clock_.nowMs();
    if (pumped_ && now - lastPumpMs_ < kPumpIntervalMs) return;
    pumped_ = true;
    lastPumpMs_ = now;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool QtSessionHost::cancelRequested() const { return dialog_.cancelRequested(); }

void QtSessionHost::setDeactivationGuard(bool armed) { dialog_.setDeactivationGuard(armed); }

void QtSessionHost::setStatusText(const std::string& text) { dialog_.setStatusText(QString::fromStdString(text)); }

int QtSessionHost::progressPosition() const { return dialog_.position(); }

void QtSessionHost::setProgressPosition(int position) { dialog_.setPosition(position); }

void QtSessionHost::blocksDone(int done, int total) {
    (void)total;   // the estimate knows the family's count
    estimate_.blocksDone(done, static_cast<double>(clock_.nowMs()) / 1000.0);
    dialog_.setTimeLeft(estimate_.percent(), static_cast<int>(std::ceil(estimate_.secondsLeft())));
}

void ProgressPaintingClock::sleepMs(int ms) {
    if (ms > 0 && dialog_.progressDue())
        inner_.sleepMsDoing(ms, [this] { dialog_.paintProgressIfDue(); });
    else
        inner_.sleepMs(ms);
}

vel::MessageAnswer QtSessionHost::showMessage(const std::string& text, vel::MessageButtons buttons) {
    const bool guard = dialog_.deactivationGuard();
    dialog_.setDeactivationGuard(false);
    // A box over a closed dialog would have no window under it.
    parent_ = dialog_.isVisible() ? static_cast<QWidget*>(&dialog_) : view_.window();
    const vel::MessageAnswer answer = QtMessageHost::showMessage(text, buttons);
    dialog_.setDeactivationGuard(guard);
    return answer;
}

void QtSessionHost::closeProgressDialog() { dialog_.closeWindow(); }

void QtSessionHost::storeChannelTable(vel::Image& image) {
    (void)image;   // the view stores into the document's image, which is `image`
    view_.commitCurrentCell();
    view_.storeChannelGrid();
}

std::string QtSessionHost::dataPassword() {
    view_.commitCurrentCell();
    return view_.dataPasswordText();
}

}  // namespace velui
