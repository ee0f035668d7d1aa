#pragma once
// The modeless dialog that starts a read or write session and shows its
// progress (dialog 133): Start, Cancel, a progress bar and a status line.
// Start hands the session to its owner through a queued request, so the
// button's handler returns before the session begins; the session runs on
// the interface thread and polls the dialog's cancel flag after each round of
// its message pump. In the families that want it, switching away from the
// dialog or moving it while a session runs cancels the session.

#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include "image/family.h"
#include "image/language.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace velui {

class ProgressDialog : public QDialog {
    Q_OBJECT
public:
    /// `lang` is the interface language (it picks the labels and the
    /// interruption message); `family` gives the bar's range and whether
    /// deactivation and moving cancel a session.
    ProgressDialog(const vel::Family& family, vel::Lang lang, QWidget* parent);

    /// The caption member: the window title the next opening shows.
    void setCaption(const QString& caption) { caption_ = caption; }
    QString caption() const { return caption_; }
    /// Title of the message boxes the dialog shows (the application's title).
    void setMessageTitle(const QString& title) { messageTitle_ = title; }

    /// Opens the window unless it is open already: bar at 0, cancel flag
    /// clear, guard armed, Start enabled, status line at its initial text,
    /// title from the caption; then centres it over `centreOver` (or its
    /// parent) and shows it. Returns false when the window was already open.
    bool openWindow(QWidget* centreOver = nullptr);
    /// Retitles an open window that is ready (no session running) from the
    /// caption member.
    void retitle();
    /// Closes the window (the session's last step). Start is enabled again,
    /// so that nothing a closed window receives acts as if a session ran.
    void closeWindow();

    /// A session is running: Start has been pressed and the window is open.
    bool running() const;

    bool cancelRequested() const { return cancel_; }
    bool deactivationGuard() const { return guard_; }
    void setDeactivationGuard(bool armed) { guard_ = armed; }

    /// The status line's text. While a session runs, the status line, the bar
    /// and the time left are repainted at most kDisplayIntervalMs apart, in a
    /// pause of the session (paintProgressIfDue) or, when no pause comes, at a
    /// pump round kFallbackDisplayMs after the last showing. The getters give
    /// the newest values at once.
    void setStatusText(const QString& text);
    QString statusText() const { return statusText_; }

    /// The line above the bar that names the phase of a write with a backup
    /// or a check ("Step 1 of 3: Backup: reading the radio"); hidden while empty.
    void setPhaseText(const QString& text);
    QString phaseText() const;

    /// The session's own position counter. It may run past the bar's range
    /// (the session steps a little beyond it); the bar shows it clamped.
    int position() const { return position_; }
    void setPosition(int position);

    /// Percent done and seconds left, shown beside the status line
    /// ("42 %, 12 s left"); a negative percent clears it.
    void setTimeLeft(int percent, int seconds);
    QString timeLeftText() const { return timeLeft_; }
    /// Shows the newest values now.
    void showProgressNow();
    /// A session runs, its values changed and kDisplayIntervalMs have passed
    /// since they were last shown.
    bool progressDue() const;
    /// When progressDue, shows the newest values and paints the dialog at
    /// once, its layout settled first, so that the next pump round finds
    /// nothing to draw. The session calls it in its pauses, where the thread
    /// would otherwise only wait.
    void paintProgressIfDue();

    static constexpr int kDisplayIntervalMs = 100;
    static constexpr int kFallbackDisplayMs = 3 * kDisplayIntervalMs;

    QPushButton* startButton() const { return start_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QProgressBar* bar() const { return bar_; }
    QLabel* statusLine() const { return status_; }
    QLabel* progressLabel() const { return progressLabel_; }
    QLabel* timeLeftLabel() const { return timeLeftLabel_; }
    QLabel* phaseLine() const { return phase_; }

    /// The text shown when a session is interrupted by switching away or moving.
    QString interruptionText() const;

signals:
    /// Start was pressed; delivered to the owner through a queued connection.
    void startRequested();

public slots:
    void reject() override;

protected:
    bool event(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void onStart();
    void interrupt();
    void progressChanged();

    const vel::Family& family_;
    vel::Lang lang_;
    QString caption_;
    QString messageTitle_;
    bool cancel_ = false;
    bool guard_ = true;
    int position_ = 0;
    QString statusText_;
    QString timeLeft_;
    QElapsedTimer sinceShown_;   // since the display last showed the newest values
    QTimer displayTimer_;        // shows them when no pause of the session has
    bool pending_ = false;       // newer values than the display shows

    QPushButton* start_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* timeLeftLabel_ = nullptr;
    QLabel* phase_ = nullptr;
};

}  // namespace velui
