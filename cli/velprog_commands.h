#pragma once
// The velprog commands. Each takes its parsed options and returns an exit code
// (velprog_common.h).

#include <optional>
#include <string>
#include <vector>

namespace vel {
class SerialPort;
class Clock;
}  // namespace vel

namespace velprog {

struct FileOptions {
    std::string family;
    std::string lang = "en";
    std::string file;      // FILE of show and store
    std::string grid;      // GRID.json of store
    std::string out;       // OUT of new and store
};

int RunFamilies();
int RunNew(const FileOptions& o);
int RunShow(const FileOptions& o);
int RunStore(const FileOptions& o);

struct RadioOptions {
    std::string family;
    std::string lang = "en";
    std::string port;
    int retries = 0;
    // read
    std::string image;     // --image IN
    std::string password;
    std::string out;
    // write
    std::string in;
    bool raw = false;
    bool acceptType = false;
    bool yes = false;      // OK to questions other than the radio type
    std::string backupDir;   // --backup DIR (default: the user's data folder)
    bool noBackup = false;
    bool noVerify = false;
    bool force = false;      // write a file whose checks found errors
    std::optional<std::string> backupPassword;   // the radio's data password (default: the file's)
    // testmode
    std::string item;
    std::optional<int> value;
    bool useDefault = false;
    std::string band;
    std::string debugFrequency = "high";
    std::string rx;
    std::string tx;
    std::string rxTone = "OFF";
    std::string txTone = "OFF";
    std::string step = "5";
};

/// Where the radio commands find their port and clock. Left empty: the
/// system's serial port (COM1..COM4 through velprog.ini) and clock, with
/// SIGINT, SIGTERM and SIGHUP asking the exchange to stop. Tests put a
/// simulated port on a virtual clock here.
struct LinkEnvironment {
    vel::SerialPort* port = nullptr;
    vel::Clock* clock = nullptr;
};

int RunRead(const RadioOptions& o, const LinkEnvironment& env = {});
int RunWrite(const RadioOptions& o, const LinkEnvironment& env = {});
int RunTestMode(const RadioOptions& o, const LinkEnvironment& env = {});

struct SimulateOptions {
    std::string family;
    std::string image;
    std::optional<int> typeByte;
    std::vector<std::string> faults;
    bool lineRate = false;
    int latencyMs = 5;
    std::string save;
};

int RunSimulate(const SimulateOptions& o);

}  // namespace velprog
