#pragma once
// The command line in the place of the window around a session: message boxes
// become lines on stderr with answers decided by options, the progress dialog
// becomes a bar on a terminal, and Ctrl+C is the Cancel button.

#include <string>

#include "image/family.h"
#include "link/programming_session.h"

namespace velprog {

struct HostOptions {
    vel::Lang lang = vel::Lang::English;
    int retries = 0;              // Retry answers before Cancel
    bool acceptType = false;      // OK to the radio-type question
    bool yes = false;             // OK to every other question (the acknowledgement's resend)
    bool storeTable = true;       // the window's store step before a write
    std::string password;         // what the Data Password box would hold
    bool progressBar = false;     // draw the bar (stderr is a terminal)
    int progressEnd = 0;          // end of the progress bar's range
};

class CliSessionHost final : public vel::SessionHost {
public:
    CliSessionHost(const vel::Family& family, HostOptions options);

    void pumpOne() override {}
    bool cancelRequested() const override;
    void setDeactivationGuard(bool) override {}
    void setStatusText(const std::string& text) override;
    int progressPosition() const override { return position_; }
    void setProgressPosition(int position) override;
    vel::MessageAnswer showMessage(const std::string& text, vel::MessageButtons buttons) override;
    void closeProgressDialog() override;
    void storeChannelTable(vel::Image& image) override;
    std::string dataPassword() override { return options_.password; }

    /// Every message shown, in order.
    const std::vector<std::string>& messages() const { return messages_; }

private:
    void drawBar();
    void endBarLine();

    const vel::Family& family_;
    HostOptions options_;
    std::string typeQuestion_;    // the radio-type question, in the session's texts
    int retriesLeft_;
    int position_ = 0;
    std::string status_;
    bool barOnScreen_ = false;
    std::vector<std::string> messages_;
};

/// Ctrl+C (SIGINT), SIGTERM and SIGHUP (the terminal closed) set the cancel
/// flag instead of ending the program, so that the session closes the port,
/// clearing its exclusive flag, on its way out. Installed without restarting
/// interrupted calls, so that a wait notices at once.
void InstallCancelSignals();
bool CancelSignalled();

}  // namespace velprog
