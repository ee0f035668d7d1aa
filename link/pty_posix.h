#pragma once
// A pseudo-terminal pair standing in for a serial line: the program under
// test opens the slave device by its path, exactly as it would open a real
// port, and a test or a simulated radio talks through the master descriptor.
// POSIX only.

#include <string>

namespace vel {

class PseudoTerminal {
public:
    /// Opens a new master, unlocks its slave and puts the slave side in raw
    /// mode (no echo, no character translation, no flow-control characters).
    /// Throws std::system_error when the system has no pseudo-terminal to give.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    /// The far end of the line: what is written here arrives at the slave,
    /// what the slave writes is read here. -1 after closeMaster().
    int masterFd() const { return master_; }
    /// Path of the slave device, e.g. "/dev/pts/3"; give it to the port.
    const std::string& slavePath() const { return slavePath_; }

    /// Hangs the line up: the slave side sees the other end vanish.
    void closeMaster();

    /// Clears the slave's exclusive flag when the program that set it is gone
    /// without clearing it (killed with SIGKILL: no program can act on that).
    /// The serial port sets the flag together with an advisory lock, which
    /// the system drops when its holder dies: a flag without a lock holder is
    /// abandoned. Otherwise nobody but the superuser could open the device
    /// again while this pair lives. Returns whether it cleared the flag.
    bool clearAbandonedExclusiveFlag();

private:
    int master_ = -1;
    // Held open for the pair's lifetime so that the master never reports a
    // hang-up between two exchanges (a port is opened and closed per
    // exchange) and the slave keeps its raw settings. Never read from.
    int slaveKeeper_ = -1;
    std::string slavePath_;
};

}  // namespace vel
