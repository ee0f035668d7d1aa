// simulate: a radio on a pseudo-terminal, for trying the other commands (and
// the applications) without a radio.

#include <cstdio>
#include <cstdlib>
#include <iostream>

#ifndef _WIN32
#include <pthread.h>
#include <signal.h>
#include <time.h>
#endif

#include "link/radio_simulator.h"
#include "velprog_commands.h"
#include "velprog_common.h"

#ifndef _WIN32
#include "link/radio_simulator_pty.h"
#endif

namespace velprog {

#ifdef _WIN32

int RunSimulate(const SimulateOptions&) {
    PrintError("simulate needs pseudo-terminals, which this platform does not have");
    return kFailed;
}

#else

namespace {

std::string Hex(const std::array<vel::Byte, 8>& bytes) {
    std::string s;
    char buf[4];
    for (vel::Byte b : bytes) {
        std::snprintf(buf, sizeof buf, "%s%02X", s.empty() ? "" : " ", b);
        s += buf;
    }
    return s;
}

}  // namespace

int RunSimulate(const SimulateOptions& o) {
    const vel::Family& family = FamilyNamed(o.family);
    vel::RadioSimulator radio(family);
    if (!o.image.empty()) {
        const std::optional<vel::Image> image = LoadImageFile(o.image, family, vel::Lang::English);
        if (!image) return kFailed;
        radio.loadMemory(*image);
    }
    if (o.typeByte) radio.setTypeByte(static_cast<vel::Byte>(*o.typeByte));
    vel::SimulatorFaults faults;
    for (const std::string& text : o.faults) {
        std::string error;
        if (!vel::ParseSimulatorFaults(text, faults, error)) {
            PrintError("--fault: " + error);
            return kUsage;
        }
    }
    radio.setFaults(faults);
    // The memory is saved when the radio is stopped: where it goes is checked now.
    if (!o.save.empty() && !CheckOutputFile(o.save, vel::Lang::English)) return kFailed;
    radio.setReplyLatencyUs(static_cast<std::int64_t>(o.latencyMs) * 1000);

    // SIGINT and SIGTERM are taken by sigtimedwait below; blocked before the
    // server thread starts so that it inherits the mask and never gets them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    vel::PtyServeOptions serve;
    serve.lineRate = o.lineRate;
    serve.clearAbandonedExclusiveFlag = true;
    vel::RadioSimulatorPty server(radio, serve);
    std::string error;
    if (!server.open(error)) {
        PrintError("no pseudo-terminal: " + error);
        return kFailed;
    }
    server.start();
    std::cout << server.devicePath() << std::endl;

    // Until told to stop, report every test-mode setting the radio takes.
    int reported = 0;
    const auto report = [&] {
        const auto [count, latest] = server.withRadio(
            [](vel::RadioSimulator& r) { return std::make_pair(r.testModeCount(), r.lastTestMode()); });
        if (count == reported || !latest) return;
        char item[8];
        std::snprintf(item, sizeof item, "%02X", latest->commandByte);
        std::cout << "test-mode item " << item << " frequency " << Hex(latest->frequencyFrame) << " parameter "
                  << Hex(latest->parameterFrame) << std::endl;
        reported = count;
    };
    for (;;) {
        const timespec tick{0, 100 * 1000 * 1000};
        const int sig = sigtimedwait(&stopSignals, nullptr, &tick);
        report();
        if (sig == SIGINT || sig == SIGTERM) break;
    }
    server.stop();

    if (o.save.empty()) return kDone;
    const vel::Image memory = server.withRadio([](vel::RadioSimulator& r) { return r.memory(); });
    return SaveImageFile(o.save, memory, vel::Lang::English) ? kDone : kFailed;
}

#endif

}  // namespace velprog
