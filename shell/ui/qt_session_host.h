#pragma once
// The window side of a programming session: the message pump, the progress
// dialog's flags, status line and bar, message boxes in the session's
// language, and the channel table of the form view.

#include <QMessageBox>
#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "link/programming_session.h"
#include "link/session_floor.h"

class CVelView;
class QWidget;

namespace velui {

class ProgressDialog;

/// Maps the session's button sets to message-box buttons and back.
QMessageBox::StandardButtons MessageBoxButtons(vel::MessageButtons buttons);
vel::MessageAnswer MessageAnswerOf(QMessageBox::StandardButton button);

/// Message boxes of an exchange: through ShowMessage (so tests can answer
/// them), titled with the application's title, over `parent`.
class QtMessageHost : public vel::SessionHost {
public:
    QtMessageHost(QWidget* parent, QString title) : parent_(parent), title_(std::move(title)) {}

    vel::MessageAnswer showMessage(const std::string& text, vel::MessageButtons buttons) override;

    // An exchange without a pump or a progress dialog (the test mode) uses
    // nothing else.
    void pumpOne() override {}
    bool cancelRequested() const override { return false; }
    void setDeactivationGuard(bool) override {}
    void setStatusText(const std::string&) override {}
    int progressPosition() const override { return 0; }
    void setProgressPosition(int) override {}
    void closeProgressDialog() override {}
    void storeChannelTable(vel::Image&) override {}
    std::string dataPassword() override { return {}; }

protected:
    QWidget* parent_;
    QString title_;
};

/// The host of a read or write session started from the progress dialog.
class QtSessionHost final : public QtMessageHost {
public:
    /// `clock` is the sessions' clock; `family` and `phases` (the sessions
    /// Start runs, in order) give the floor the time left is estimated from.
    QtSessionHost(ProgressDialog& dialog, CVelView& view, QString title, vel::Clock& clock, const vel::Family& family,
                  std::vector<vel::Direction> phases);

    /// Dispatches the pending window events (QCoreApplication::processEvents),
    /// at most once per kPumpIntervalMs of the session's clock; a round within
    /// the interval returns at once.
    void pumpOne() override;
    static constexpr int kPumpIntervalMs = 1;
    bool cancelRequested() const override;
    void setDeactivationGuard(bool armed) override;
    void setStatusText(const std::string& text) override;
    int progressPosition() const override;
    void setProgressPosition(int position) override;
    /// Percent and time left beside the status line.
    void blocksDone(int done, int total) override;
    /// The box is shown with the deactivation guard cleared, whatever the
    /// session did before, so that the box taking the focus never cancels
    /// the session; the guard is as the session left it afterwards.
    vel::MessageAnswer showMessage(const std::string& text, vel::MessageButtons buttons) override;
    void closeProgressDialog() override;
    /// Commits the cell being edited, then StoreChannelGrid.
    void storeChannelTable(vel::Image& image) override;
    /// The text of the form's data password box (empty when it has none).
    std::string dataPassword() override;

private:
    ProgressDialog& dialog_;
    CVelView& view_;
    vel::Clock& clock_;
    vel::ProgressEstimate estimate_;
    bool pumped_ = false;
    std::int64_t lastPumpMs_ = 0;
};

/// The clock a session from the progress dialog runs on: `inner`'s pauses,
/// in which the dialog paints its progress when due. The pause lasts as long
/// as it would anyway, so the display costs the session nothing the line
/// waits for (unless a paint takes longer than the pause).
class ProgressPaintingClock final : public vel::Clock {
public:
    ProgressPaintingClock(vel::Clock& inner, ProgressDialog& dialog) : inner_(inner), dialog_(dialog) {}
    void sleepMs(int ms) override;
    std::int64_t nowMs() const override { return inner_.nowMs(); }

private:
    vel::Clock& inner_;
    ProgressDialog& dialog_;
};

}  // namespace velui
