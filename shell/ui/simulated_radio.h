#pragma once
// The radio simulated inside the program, for trying Read, Write and Test
// Mode without a cable: a simulated radio of the program's family served on
// a pseudo-terminal by a thread of its own, paced at 9600 baud, answering
// a read or write session at once and a test mode after 5 ms.
// The Port menu's "Simulated radio" entry points the exchanges at its
// device. Its memory lives as long as the program: what Write sends, the
// next Read brings back.
//
// Pseudo-terminals are a POSIX facility: on Windows the simulated radio is
// not available and the Port menu hides its entry.

#include <memory>
#include <string>

#include "image/family.h"
#include "image/image.h"
#include "link/radio_simulator.h"

namespace velui {

class SimulatedRadio {
public:
    /// A radio of `family` holding SimulatedRadioStartingMemory(family).
    explicit SimulatedRadio(const vel::Family& family);
    ~SimulatedRadio();
    SimulatedRadio(const SimulatedRadio&) = delete;
    SimulatedRadio& operator=(const SimulatedRadio&) = delete;

    /// Whether this platform can run it.
    static bool Available();

    /// Creates the pseudo-terminal and starts serving it (once; later calls
    /// only report). On failure returns false with the reason.
    bool start(std::string& error);
    bool running() const;
    /// The device the exchanges open ("/dev/pts/N"); empty until started.
    std::string devicePath() const;

    /// A copy of the radio's memory, and its replacement.
    vel::Image memory() const;
    void setMemory(const vel::Image& image);
    /// Switches the radio's faults (tests, demonstrations of the messages).
    void setFaults(const vel::SimulatorFaults& faults);
    /// Time from the end of a frame to the first byte of its answer (block
    /// answers included), from now on whatever setTestModeTiming says.
    void setReplyLatencyUs(long long us);
    /// The test mode clears the line between a frame and the read of its
    /// answer, so while one runs the radio answers after a radio's think
    /// time (kTestModeLatencyUs, block answers excepted); otherwise at once,
    /// as the protocol's floor counts a session.
    void setTestModeTiming(bool on);
    static constexpr long long kTestModeLatencyUs = 5000;
    /// Complete test-mode settings the radio received, and the last one.
    int testModeCount() const;
    std::optional<vel::TestModeSettings> lastTestMode() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace velui
