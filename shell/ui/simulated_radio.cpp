#include "shell/ui/simulated_radio.h"

#include "link/simulated_radio_memory.h"

#ifndef _WIN32
#include "link/radio_simulator_pty.h"
#endif

namespace velui {

#ifndef _WIN32

struct SimulatedRadio::Impl {
    explicit Impl(const vel::Family& family) : radio(family) {
        radio.loadMemory(vel::SimulatedRadioStartingMemory(family));
        // A radio that answers at once, as the protocol's floor counts it: a
        // read or a write takes as long as the line and the protocol's pauses
        // make it.
        radio.setReplyLatencyUs(0);
    }

    bool latencyChosen = false;   // setReplyLatencyUs was called

    // The server reaches the radio under its own lock; everything here goes
    // through withRadio once the server runs.
    template <class F>
    auto withRadio(F&& f) {
        if (server) return server->withRadio(std::forward<F>(f));
        return f(radio);
    }

    vel::RadioSimulator radio;
    std::unique_ptr<vel::RadioSimulatorPty> server;
    std::string error;
};

SimulatedRadio::SimulatedRadio(const vel::Family& family) : d(std::make_unique<Impl>(family)) {}

SimulatedRadio::~SimulatedRadio() {
    // The server's thread stops before the radio it serves goes.
    if (d->server) d->server->stop();
}

bool SimulatedRadio::Available() { return true; }

bool SimulatedRadio::start(std::string& error) {
    if (d->server) return true;
    vel::PtyServeOptions options;
    options.lineRate = true;
    auto server = std::make_unique<vel::RadioSimulatorPty>(d->radio, options);
    if (!server->open(error)) return false;
    server->start();
    d->server = std::move(server);
    return true;
}

bool SimulatedRadio::running() const { return d->server != nullptr; }

std::string SimulatedRadio::devicePath() const { return d->server ? d->server->devicePath() : std::string(); }

vel::Image SimulatedRadio::memory() const {
    return d->withRadio([](vel::RadioSimulator& r) { return r.memory(); });
}

void SimulatedRadio::setMemory(const vel::Image& image) {
    d->withRadio([&](vel::RadioSimulator& r) { r.loadMemory(image); });
}

void SimulatedRadio::setFaults(const vel::SimulatorFaults& faults) {
    d->withRadio([&](vel::RadioSimulator& r) { r.setFaults(faults); });
}

void SimulatedRadio::setReplyLatencyUs(long long us) {
    d->latencyChosen = true;
    d->withRadio([&](vel::RadioSimulator& r) { r.setReplyLatencyUs(us); });
}

void SimulatedRadio::setTestModeTiming(bool on) {
    if (d->latencyChosen) return;
    d->withRadio([&](vel::RadioSimulator& r) {
        r.setReplyLatencyUs(on ? kTestModeLatencyUs : 0);
        r.setBlockReplyLatencyUs(0);
    });
}

int SimulatedRadio::testModeCount() const {
    return d->withRadio([](vel::RadioSimulator& r) { return r.testModeCount(); });
}

std::optional<vel::TestModeSettings> SimulatedRadio::lastTestMode() const {
    return d->withRadio([](vel::RadioSimulator& r) { return r.lastTestMode(); });
}

#else  // _WIN32

struct SimulatedRadio::Impl {
    explicit Impl(const vel::Family& family) : radio(family) { radio.loadMemory(vel::SimulatedRadioStartingMemory(family)); }
    vel::RadioSimulator radio;
};

SimulatedRadio::SimulatedRadio(const vel::Family& family) : d(std::make_unique<Impl>(family)) {}
SimulatedRadio::~SimulatedRadio() = default;
bool SimulatedRadio::Available() { return false; }
bool SimulatedRadio::start(std::string& error) {
    error = "The simulated radio needs pseudo-terminals, which this system does not offer.";
    return false;
}
bool SimulatedRadio::running() const { return false; }
std::string SimulatedRadio::devicePath() const { return {}; }
vel::Image SimulatedRadio::memory() const { return d->radio.memory(); }
void SimulatedRadio::setMemory(const vel::Image& image) { d->radio.loadMemory(image); }
void SimulatedRadio::setFaults(const vel::SimulatorFaults& faults) { d->radio.setFaults(faults); }
void SimulatedRadio::setReplyLatencyUs(long long us) { d->radio.setReplyLatencyUs(us); }
void SimulatedRadio::setTestModeTiming(bool) {}
int SimulatedRadio::testModeCount() const { return d->radio.testModeCount(); }
std::optional<vel::TestModeSettings> SimulatedRadio::lastTestMode() const { return d->radio.lastTestMode(); }

#endif

}  // namespace velui
