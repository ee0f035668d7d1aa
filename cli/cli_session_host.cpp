#include "cli_session_host.h"

#include <csignal>
#include <cstdio>
#include <iostream>

#include "link/session_texts.h"
#include "table/channel_table.h"
#include "velprog_common.h"

namespace velprog {
namespace {

volatile std::sig_atomic_t g_cancel = 0;

extern "C" void OnCancelSignal(int) { g_cancel = 1; }

}  // namespace

void InstallCancelSignals() {
#ifdef _WIN32
    std::signal(SIGINT, OnCancelSignal);
    std::signal(SIGTERM, OnCancelSignal);
#else
    struct sigaction action {};
    action.sa_handler = OnCancelSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;   // no SA_RESTART: a wait returns and looks at the flag
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaction(sig, &action, nullptr);
#endif
}

bool CancelSignalled() { return g_cancel != 0; }

CliSessionHost::CliSessionHost(const vel::Family& family, HostOptions options)
    : family_(family),
      options_(std::move(options)),
      typeQuestion_(vel::SessionMessage(vel::SessionText::RadioTypeMismatch, vel::SessionTextSet(family, options_.lang))),
      retriesLeft_(options_.retries) {}

bool CliSessionHost::cancelRequested() const { return CancelSignalled(); }

void CliSessionHost::setStatusText(const std::string& text) {
    status_ = text;
    drawBar();
}

void CliSessionHost::setProgressPosition(int position) {
    position_ = position;
    drawBar();
}

void CliSessionHost::drawBar() {
    if (!options_.progressBar) return;
    constexpr int kWidth = 40;
    const int end = options_.progressEnd > 0 ? options_.progressEnd : 1;
    const int shown = std::min(std::max(position_, 0), end);
    const int filled = shown * kWidth / end;
    std::string line = "\r[" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(kWidth - filled), '.') + "] " + std::to_string(shown) + "/" +
                       std::to_string(end);
    if (position_ == 0 && !status_.empty()) line += "  " + status_;
    line += "\x1b[K";   // clear what a longer earlier line left
    std::cerr << line << std::flush;
    barOnScreen_ = true;
}

void CliSessionHost::endBarLine() {
    if (barOnScreen_) std::cerr << '\n' << std::flush;
    barOnScreen_ = false;
}

vel::MessageAnswer CliSessionHost::showMessage(const std::string& text, vel::MessageButtons buttons) {
    endBarLine();
    messages_.push_back(text);
    switch (buttons) {
    case vel::MessageButtons::Ok:
        PrintError(text);
        return vel::MessageAnswer::Ok;
    case vel::MessageButtons::OkCancel:
        // --accept-type answers the radio-type question and nothing else.
        if (text == typeQuestion_) {
            if (options_.acceptType) {
                PrintError(text + " [OK: --accept-type]");
                return vel::MessageAnswer::Ok;
            }
            PrintError(text + " [Cancel: give --accept-type to write anyway]");
            return vel::MessageAnswer::Cancel;
        }
        // The other question, whether to send the acknowledgement again, is
        // asked a bounded number of times by the session.
        if (options_.yes) {
            PrintError(text + " [OK: --yes]");
            return vel::MessageAnswer::Ok;
        }
        PrintError(text + " [Cancel: give --yes to send again]");
        return vel::MessageAnswer::Cancel;
    case vel::MessageButtons::RetryCancel:
        if (retriesLeft_ > 0) {
            --retriesLeft_;
            PrintError(text + " [Retry]");
            return vel::MessageAnswer::Retry;
        }
        PrintError(text);
        return vel::MessageAnswer::Cancel;
    }
    return vel::MessageAnswer::Cancel;
}

void CliSessionHost::closeProgressDialog() { endBarLine(); }

void CliSessionHost::storeChannelTable(vel::Image& image) {
    if (!options_.storeTable) return;
    // What the window does before a write: the grid it filled when the file
    // was opened is stored back into the image.
    vel::ChannelTable table = vel::NewChannelTable(family_, options_.lang);
    vel::FillChannelGrid(family_, options_.lang, image, table);
    vel::StoreChannelGrid(family_, table, image);
}

}  // namespace velprog
