// velprog against what it must never trust: files that are not regular files,
// outputs it must not replace, hostile grids and configuration files, stop
// signals at any moment, and a representative few line faults over a real
// pseudo-terminal. Every case has a time bound: nothing may hang.

#ifndef _WIN32

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "image/family.h"
#include "table/channel_table.h"
#include "velprog_run.h"

namespace vel {
namespace {

namespace fs = std::filesystem;
using namespace velprog_run;
using Ms = std::chrono::milliseconds;
using SteadyClock = std::chrono::steady_clock;

bool RunningAsRoot() { return ::geteuid() == 0; }

Image NewFile(const Family& family) {
    Image image = NewDocumentImage(family);
    ChannelTable table = NewChannelTable(family, Lang::English);
    FillChannelGrid(family, Lang::English, image, table);
    StoreChannelGrid(family, table, image);
    return image;
}

/// Whether the device's exclusive flag is set, seen through a descriptor of
/// our own (the superuser opens it whatever the flag; anyone else is refused
/// while it is set).
bool ExclusiveFlagSet(const std::string& device) {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return errno == EBUSY;
    int exclusive = 0;
    const bool set = ::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
    ::close(fd);
    return set;
}

long long MsSince(SteadyClock::time_point t) {
    return std::chrono::duration_cast<Ms>(SteadyClock::now() - t).count();
}

// ---------------------------------------------------------------------------
// Inputs that are not regular files are refused before any read.
// ---------------------------------------------------------------------------

enum class Odd { Fifo, Folder, Device };

struct InputCase {
    const char* name;
    Odd odd;
    // Arguments; "ODD" is the odd entry, "GOOD" a channel data file, "GRID" a grid.
    std::vector<std::string> args;
    const char* reasonPart;
};

void PrintTo(const InputCase& c, std::ostream* os) { *os << c.name; }

class VelprogOddInput : public ::testing::TestWithParam<InputCase> {};

TEST_P(VelprogOddInput, IsRefusedAtOnce) {
    const InputCase& c = GetParam();
    TempDir dir;
    const std::string odd = dir / "odd";
    switch (c.odd) {
    case Odd::Fifo: ASSERT_EQ(::mkfifo(odd.c_str(), 0600), 0); break;
    case Odd::Folder: fs::create_directory(odd); break;
    case Odd::Device: ASSERT_EQ(::symlink("/dev/zero", odd.c_str()), 0); break;
    }
    WriteFile(dir / "good.sin", NewFile(GetFamily(FamilyId::VM_CH16)));
    WriteText(dir / "grid.json", "{}");
    std::vector<std::string> args = c.args;
    for (std::string& a : args) {
        if (a == "ODD") a = odd;
        if (a == "GOOD") a = dir / "good.sin";
        if (a == "GRID") a = dir / "grid.json";
        if (a == "OUT") a = dir / "out.sin";
        if (a == "PORT") a = dir / "no_such_tty";
    }
    const auto start = SteadyClock::now();
    const RunResult r = Velprog(args, dir.path, 10000);
    EXPECT_LT(MsSince(start), 3000) << "refused without waiting";
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find(c.reasonPart), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out.sin"));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, VelprogOddInput,
    ::testing::Values(
        InputCase{"ShowFifo", Odd::Fifo, {"show", "--family", "VM_CH16", "ODD"}, "named pipe"},
        InputCase{"ShowFolder", Odd::Folder, {"show", "--family", "VM_CH16", "ODD"}, "folder"},
        InputCase{"ShowDevice", Odd::Device, {"show", "--family", "VM_CH16", "ODD"}, "device"},
        InputCase{"StoreFileFifo", Odd::Fifo, {"store", "--family", "VM_CH16", "--grid", "GRID", "ODD", "OUT"},
                  "named pipe"},
        InputCase{"StoreGridFifo", Odd::Fifo, {"store", "--family", "VM_CH16", "--grid", "ODD", "GOOD", "OUT"},
                  "named pipe"},
        InputCase{"StoreGridDevice", Odd::Device, {"store", "--family", "VM_CH16", "--grid", "ODD", "GOOD", "OUT"},
                  "device"},
        InputCase{"ReadImageFifo", Odd::Fifo, {"read", "--family", "VM_CH16", "--port", "PORT", "--image", "ODD", "OUT"},
                  "named pipe"},
        InputCase{"WriteFifo", Odd::Fifo, {"write", "--family", "VM_CH16", "--port", "PORT", "ODD"}, "named pipe"},
        InputCase{"ImportCsvFifo", Odd::Fifo, {"import", "--family", "VM_CH16", "ODD", "GOOD", "OUT"}, "named pipe"},
        InputCase{"SimulateImageFifo", Odd::Fifo, {"simulate", "--family", "VM_CH16", "--image", "ODD"},
                  "named pipe"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Outputs: only a regular file (or nothing) is replaced, never a device, a
// pipe, a folder or a read-only file, for the superuser too; a link is
// followed, also to a file that does not exist yet.
// ---------------------------------------------------------------------------

enum class Target { Fifo, Device, Folder, ReadOnly, DanglingLink, LinkToFile };

struct OutputCase {
    const char* name;
    Target target;
    int exitCode;
};

void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }

class VelprogOutput : public ::testing::TestWithParam<OutputCase> {};

TEST_P(VelprogOutput, ReplacesOnlyWhatIsOurs) {
    const OutputCase& c = GetParam();
    if (c.target == Target::Device && !RunningAsRoot()) GTEST_SKIP() << "making a device node needs the superuser";
    TempDir dir;
    const std::string out = dir / "out.sin";
    switch (c.target) {
    case Target::Fifo: ASSERT_EQ(::mkfifo(out.c_str(), 0600), 0); break;
    case Target::Device: ASSERT_EQ(::mknod(out.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0); break;
    case Target::Folder: fs::create_directory(out); break;
    case Target::ReadOnly:
        WriteText(out, "old");
        fs::permissions(out, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        break;
    case Target::DanglingLink: fs::create_symlink("made.sin", out); break;
    case Target::LinkToFile:
        WriteText(dir / "made.sin", "old");
        fs::create_symlink("made.sin", out);
        break;
    }
    const auto start = SteadyClock::now();
    const RunResult r = Velprog({"new", "--family", "Marlowe", out}, dir.path, 10000);
    EXPECT_LT(MsSince(start), 3000);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;

    const fs::file_status after = fs::symlink_status(out);
    switch (c.target) {
    case Target::Fifo: EXPECT_TRUE(fs::is_fifo(after)); break;
    case Target::Device: EXPECT_TRUE(fs::is_character_file(after)); break;
    case Target::Folder: EXPECT_TRUE(fs::is_directory(after)); break;
    case Target::ReadOnly: EXPECT_EQ(ReadFile(out), Image({'o', 'l', 'd'})); break;
    case Target::DanglingLink:
    case Target::LinkToFile:
        EXPECT_TRUE(fs::is_symlink(after));
        EXPECT_EQ(ReadFile(dir / "made.sin"), NewFile(GetFamily(FamilyId::Marlowe)));
        break;
    }
    if (c.exitCode != 0) {
        EXPECT_NE(r.err.find("Cannot save"), std::string::npos) << r.err;
    }
    for (const auto& entry : fs::directory_iterator(dir.path))
        EXPECT_EQ(entry.path().filename().string().rfind(".velmar-save-", 0), std::string::npos) << "left behind";
}

INSTANTIATE_TEST_SUITE_P(Targets, VelprogOutput,
                         ::testing::Values(OutputCase{"Fifo", Target::Fifo, 1}, OutputCase{"Device", Target::Device, 1},
                                           OutputCase{"Folder", Target::Folder, 1},
                                           OutputCase{"ReadOnly", Target::ReadOnly, 1},
                                           OutputCase{"DanglingLink", Target::DanglingLink, 0},
                                           OutputCase{"LinkToFile", Target::LinkToFile, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// A read whose result could not be saved fails before the radio is woken: a
// silent radio would otherwise hold it for 18 seconds first.
TEST(VelprogOutputFirst, ReadChecksItsOutputBeforeTheSession) {
    TempDir dir;
    Simulator sim({"--family", "VM_CH16", "--fault", "silent"});
    ASSERT_FALSE(sim.device.empty());
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    WriteText(dir / "ro.sin", "old");
    fs::permissions(dir / "ro.sin", fs::perms::owner_read);
    for (const std::string& out : {dir / "none/out.sin", dir / "fifo", dir / "ro.sin"}) {
        const auto start = SteadyClock::now();
        const RunResult r = Velprog({"read", "--family", "VM_CH16", "--port", sim.device, out}, dir.path, 30000);
        EXPECT_LT(MsSince(start), 3000) << out;
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_NE(r.err.find("cannot be written"), std::string::npos) << r.err;
    }
    sim.stop();
}

// ---------------------------------------------------------------------------
// Hostile grids and configuration files.
// ---------------------------------------------------------------------------

TEST(VelprogHostileGrid, DeepNestingAndHugeValuesGiveShortClearMessages) {
    TempDir dir;
    WriteFile(dir / "in.sin", NewFile(GetFamily(FamilyId::VM_CH16)));
    struct Row {
        const char* name;
        std::string grid;
        const char* says;
    };
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    const std::string huge(1000000, 'x');
    std::string sixteen = "[";
    for (int i = 0; i < 16; ++i) sixteen += std::string(i ? "," : "") + "[\"\",\"\",\"\",\"\",\"\",\"\",\"\"]";
    sixteen += "]";
    const Row rows[] = {
        {"DeepFamily", "{\"family\":" + deep + "}", "nested"},
        {"DeepRows", "{\"rows\":" + deep + "}", "nested"},
        {"HugeFamily", "{\"family\":\"" + huge + "\"}", "bytes)"},
        {"HugeFormKey", "{\"rows\":" + sixteen + ",\"form\":{\"" + huge + "\":\"x\"}}", "is not a control identifier"},
        {"HugeListText", "{\"rows\":" + sixteen + ",\"form\":{\"1011\":\"" + huge + "\"}}", "has no item"},
        {"BrokenHugeString", "{\"family\":\"" + huge, "not a JSON document"},
    };
    for (const Row& row : rows) {
        WriteText(dir / "grid.json", row.grid);
        const RunResult r = Velprog(
            {"store", "--family", "VM_CH16", "--grid", dir / "grid.json", dir / "in.sin", dir / "out.sin"}, dir.path,
            30000);
        EXPECT_EQ(r.exitCode, 1) << row.name << ": " << r.err.substr(0, 300);
        EXPECT_NE(r.err.find(row.says), std::string::npos) << row.name << ": " << r.err.substr(0, 300);
        EXPECT_LT(r.err.size(), 1000u) << row.name;
        EXPECT_FALSE(fs::exists(dir / "out.sin")) << row.name;
    }
}

TEST(VelprogHostileGrid, OversizedGridIsRefusedUnread) {
    TempDir dir;
    WriteFile(dir / "in.sin", NewFile(GetFamily(FamilyId::VM_CH16)));
    WriteText(dir / "grid.json", "{\"family\":\"" + std::string(5u << 20, 'x') + "\"}");
    const RunResult r = Velprog(
        {"store", "--family", "VM_CH16", "--grid", dir / "grid.json", dir / "in.sin", dir / "out.sin"}, dir.path);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("more than a grid can"), std::string::npos) << r.err;
}

enum class Ini { Folder, Fifo, Dangling, Unreadable };

struct IniCase {
    const char* name;
    Ini ini;
    const char* reasonPart;
};

void PrintTo(const IniCase& c, std::ostream* os) { *os << c.name; }

class VelprogUnusableConfiguration : public ::testing::TestWithParam<IniCase> {};

TEST_P(VelprogUnusableConfiguration, IsReportedWithFileAndReason) {
    const IniCase& c = GetParam();
    if (c.ini == Ini::Unreadable && RunningAsRoot()) GTEST_SKIP() << "permission bits do not stop the superuser";
    TempDir dir;
    const std::string program = dir / "velprog";
    fs::copy_file(VELPROG_PATH, program);
    fs::permissions(program, fs::perms::owner_all);
    const std::string ini = dir / "velprog.ini";
    switch (c.ini) {
    case Ini::Folder: fs::create_directory(ini); break;
    case Ini::Fifo: ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0); break;
    case Ini::Dangling: fs::create_symlink("nowhere.ini", ini); break;
    case Ini::Unreadable:
        WriteText(ini, "[PORTS]\nCOM1=/dev/null\n");
        fs::permissions(ini, fs::perms::none);
        break;
    }
    const auto start = SteadyClock::now();
    const RunResult r =
        Velprog({"read", "--family", "VM_CH16", "--port", "COM1", dir / "out.sin"}, dir.path, 10000, program);
    EXPECT_LT(MsSince(start), 3000);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find(ini), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(c.reasonPart), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("ttyUSB"), std::string::npos) << "no default device in its place: " << r.err;
}

INSTANTIATE_TEST_SUITE_P(Files, VelprogUnusableConfiguration,
                         ::testing::Values(IniCase{"Folder", Ini::Folder, "folder"},
                                           IniCase{"Fifo", Ini::Fifo, "named pipe"},
                                           IniCase{"Dangling", Ini::Dangling, "No such file"},
                                           IniCase{"Unreadable", Ini::Unreadable, "Permission denied"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VelprogHostileConfiguration, HugeValueIsQuotedShort) {
    TempDir dir;
    const std::string program = dir / "velprog";
    fs::copy_file(VELPROG_PATH, program);
    fs::permissions(program, fs::perms::owner_all);
    WriteText(dir / "velprog.ini", "[PORTS]\nCOM1=/nowhere/" + std::string(1000000, 'y') + "\n");
    const RunResult r =
        Velprog({"read", "--family", "VM_CH16", "--port", "COM1", dir / "out.sin"}, dir.path, 10000, program);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("/nowhere/yyy"), std::string::npos) << r.err.substr(0, 500);
    EXPECT_LT(r.err.size(), 1500u);
}

// ---------------------------------------------------------------------------
// Stop signals: any session ends within a second, cancelled, with the port
// closed and its exclusive flag cleared.
// ---------------------------------------------------------------------------

struct StopCase {
    const char* name;
    std::vector<std::string> simulator;   // options of the simulated radio
    std::vector<std::string> command;     // "DEV" is the device, "OUT" the output
    int signal;
    int afterMs;
};

void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }

class VelprogStop : public ::testing::TestWithParam<StopCase> {};

TEST_P(VelprogStop, EndsWithinASecondWithThePortReleased) {
    const StopCase& c = GetParam();
    TempDir dir;
    std::vector<std::string> simArgs{"--family", "VM_CH16"};
    simArgs.insert(simArgs.end(), c.simulator.begin(), c.simulator.end());
    Simulator sim(simArgs);
    ASSERT_FALSE(sim.device.empty());
    WriteFile(dir / "in.sin", NewFile(GetFamily(FamilyId::VM_CH16)));
    std::vector<std::string> args = c.command;
    for (std::string& a : args) {
        if (a == "DEV") a = sim.device;
        if (a == "OUT") a = dir / "out.sin";
        if (a == "IN") a = dir / "in.sin";
    }
    Child child(args, dir.path);
    std::this_thread::sleep_for(Ms(c.afterMs));
    const auto start = SteadyClock::now();
    ::kill(child.pid, c.signal);
    const RunResult r = child.finish(10000);
    EXPECT_LT(MsSince(start), 1000) << r.err;
    EXPECT_EQ(r.exitCode, 3) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out.sin"));
    EXPECT_FALSE(ExclusiveFlagSet(sim.device)) << "the port was closed and its exclusive flag cleared";
    sim.stop();
}

INSTANTIATE_TEST_SUITE_P(
    Signals, VelprogStop,
    ::testing::Values(
        StopCase{"InterruptWhileWaking", {"--fault", "silent"}, {"read", "--family", "VM_CH16", "--port", "DEV", "OUT"},
                 SIGINT, 400},
        StopCase{"HangUpWhileWaking", {"--fault", "silent"}, {"write", "--family", "VM_CH16", "--port", "DEV", "IN"},
                 SIGHUP, 700},
        StopCase{"TerminateMidTransfer", {"--latency", "1", "--line-rate"},
                 {"read", "--family", "VM_CH16", "--port", "DEV", "OUT"}, SIGTERM, 1500},
        StopCase{"InterruptWhileTheRadioStalls", {"--fault", "vanish=20"},
                 {"read", "--family", "VM_CH16", "--port", "DEV", "OUT"}, SIGINT, 1500},
        StopCase{"InterruptTestMode", {"--fault", "silent"},
                 {"testmode", "--family", "VM_CH16", "--port", "DEV", "--item", "tx-power", "--default", "--retry",
                  "100"},
                 SIGINT, 900}),
    [](const auto& info) { return std::string(info.param.name); });

// SIGKILL cannot be caught: the killed program cannot clear the exclusive
// flag. On a real device the system drops the flag with the last close; on
// the simulator's pseudo-terminal the simulator clears a flag whose owner is
// gone.
TEST(VelprogStop, KilledSessionLeavesNoExclusiveFlagOnTheSimulator) {
    TempDir dir;
    Simulator sim({"--family", "VM_CH16", "--fault", "silent"});
    ASSERT_FALSE(sim.device.empty());
    Child child({"read", "--family", "VM_CH16", "--port", sim.device, dir / "out.sin"}, dir.path);
    std::this_thread::sleep_for(Ms(500));
    ASSERT_TRUE(ExclusiveFlagSet(sim.device)) << "the session holds the port exclusively";
    ::kill(child.pid, SIGKILL);
    child.finish(5000);
    const auto start = SteadyClock::now();
    while (ExclusiveFlagSet(sim.device) && MsSince(start) < 3000) std::this_thread::sleep_for(Ms(20));
    EXPECT_FALSE(ExclusiveFlagSet(sim.device));
    // And the next session can use the port.
    const RunResult again = Velprog({"testmode", "--family", "VM_CH16", "--port", sim.device, "--item", "tx-power",
                                     "--default", "--retry", "1"},
                                    dir.path, 10000);
    EXPECT_EQ(again.exitCode, 1) << "a silent radio, but the port opened: " << again.err;
    EXPECT_EQ(again.err.find("in use"), std::string::npos) << again.err;
    sim.stop();
}

// ---------------------------------------------------------------------------
// A few line faults over the pseudo-terminal, for the real port and process.
// ---------------------------------------------------------------------------

struct LineCase {
    const char* name;
    const char* family;
    const char* fault;
    bool write;
    int exitCode;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class VelprogLineFault : public ::testing::TestWithParam<LineCase> {};

TEST_P(VelprogLineFault, EndsInTimeWithThePortReleasedAndTheOutputUntouched) {
    const LineCase& c = GetParam();
    const Family& family = *FindFamily(c.family);
    TempDir dir;
    const Image file = NewFile(family);
    WriteFile(dir / "radio.sin", file);
    WriteText(dir / "out.sin", "sentinel");
    Simulator sim({"--family", c.family, "--image", dir / "radio.sin", "--latency", "1", "--fault", c.fault});
    ASSERT_FALSE(sim.device.empty());
    const auto start = SteadyClock::now();
    const RunResult r =
        c.write ? Velprog({"write", "--family", c.family, "--port", sim.device, dir / "radio.sin"}, dir.path, 30000)
                : Velprog({"read", "--family", c.family, "--port", sim.device, dir / "out.sin"}, dir.path, 30000);
    EXPECT_LT(MsSince(start), 15000);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_EQ(ReadFile(dir / "radio.sin"), file);
    if (!c.write && c.exitCode != 0) {
        EXPECT_EQ(ReadFile(dir / "out.sin"), Image({'s', 'e', 'n', 't', 'i', 'n', 'e', 'l'}));
    }
    EXPECT_FALSE(ExclusiveFlagSet(sim.device));
    sim.stop();
}

INSTANTIATE_TEST_SUITE_P(Faults, VelprogLineFault,
                         ::testing::Values(LineCase{"ShortReadReply", "VM_CH16", "short-read=0x20", false, 1},
                                           LineCase{"WrongAcknowledgement", "VM_CH118", "wrong-ack", true, 1},
                                           LineCase{"Vanishes", "Marlowe", "vanish=3", true, 1},
                                           LineCase{"IgnoredWakeUps", "VM_CH16_CN", "ignore-wakeups=2", false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vel

#endif  // _WIN32
