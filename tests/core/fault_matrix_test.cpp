// Every fault of the simulated radio and of the line, for every family and
// both directions, through velprog's own read and write commands run in
// process on a simulated port and a virtual clock: the exit code, the port
// closed, the output (or the input of a write) untouched unless the command
// succeeded, a bounded number of messages, and an end within a bounded time.
// A representative few run over a real pseudo-terminal in velprog_test.cpp.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>

#include "apps/marlowe/data_password.h"
#include "cli/velprog_commands.h"
#include "image/family.h"
#include "link/programming_session.h"
#include "link/radio_simulator.h"
#include "link/simulated_serial_port.h"
#include "table/channel_table.h"

namespace vel {
namespace {

namespace fs = std::filesystem;

/// A simulated port whose line can be cut: writes the hook refuses fail, and
/// once the cable is pulled every read and write fails.
class FaultyPort final : public SerialPort {
public:
    explicit FaultyPort(SimulatedSerialPort& inner) : inner_(inner) {}

    std::function<bool(const std::uint8_t* data, std::size_t count)> refuseWrite;
    std::optional<int> pullAfterWrites;   // the cable goes after this many writes

    bool open(const std::string& name) override { return inner_.open(name); }
    void configure(const TimingProfile& p) override { inner_.configure(p); }
    void purgeAll() override { inner_.purgeAll(); }
    void purgeBuffers() override { inner_.purgeBuffers(); }
    IoResult write(const std::uint8_t* data, std::size_t count) override {
        ++writes_;
        if (pullAfterWrites && writes_ > *pullAfterWrites) pulled_ = true;
        if (pulled_ || (refuseWrite && refuseWrite(data, count))) return {false, 0};
        return inner_.write(data, count);
    }
    IoResult read(std::uint8_t* buffer, std::size_t count) override {
        if (pulled_) return {false, 0};
        return inner_.read(buffer, count);
    }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    OpenFailure openFailure() const override { return inner_.openFailure(); }

private:
    SimulatedSerialPort& inner_;
    int writes_ = 0;
    bool pulled_ = false;
};

struct Rig {
    const Family& family;
    RadioSimulator radio;
    VirtualClock clock;
    SimulatedSerialPort simulated;
    FaultyPort port;
    velprog::RadioOptions options;

    explicit Rig(const Family& f) : family(f), radio(f), simulated(radio, clock), port(simulated) {
        options.family = f.name;
        options.port = "COM1";
        options.raw = true;   // the bytes as they are: the store step is tested elsewhere
    }
};

using Arrange = std::function<void(Rig&)>;

struct FaultCase {
    const char* name;
    Arrange arrange;
    // Expected exit code of a read and of a write; -1: decided by `decide`.
    int readExit;
    int writeExit;
    int maxMessages;   // lines velprog prints at most
};

Image Stored(const Family& family, Image image) {
    for (int i = 0; i < 2; ++i) {
        ChannelTable table = NewChannelTable(family, Lang::English);
        FillChannelGrid(family, Lang::English, image, table);
        StoreChannelGrid(family, table, image);
    }
    return image;
}

Image Pattern(std::size_t size, unsigned seed) {
    Image image(size);
    std::mt19937 random(seed);
    for (Byte& b : image) b = static_cast<Byte>(random());
    return image;
}

Image ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Image(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const Image& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

/// Catches what velprog prints on stderr for the life of the object.
struct CapturedErrors {
    std::ostringstream text;
    std::streambuf* saved;
    CapturedErrors() : saved(std::cerr.rdbuf(text.rdbuf())) {}
    ~CapturedErrors() { std::cerr.rdbuf(saved); }
    int lines() const {
        const std::string s = text.str();
        return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
    }
};

struct MatrixCase {
    const Family* family;
    Direction direction;
    FaultCase fault;
};

void PrintTo(const MatrixCase& c, std::ostream* os) { *os << c.family->name << ' ' << c.fault.name; }

class FaultMatrix : public ::testing::TestWithParam<MatrixCase> {
protected:
    void SetUp() override {
        std::random_device device;
        dir_ = fs::temp_directory_path() / ("velmar-fault-matrix-" + std::to_string(device()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    fs::path dir_;
};

// Whether the radio-type question comes up for an image whose type byte is
// `imageType` when the identification reply stops before the type byte.
bool ShortIdentificationAsks(const Family& family, Byte imageType) {
    return family.protocol.replyBufferFill != imageType;
}

TEST_P(FaultMatrix, EndsWithTheRightExitCodePortClosedAndNothingOfOursDamaged) {
    const MatrixCase& c = GetParam();
    const Family& family = *c.family;
    Rig rig(family);

    // The radio holds a stored new document with some bytes of its own.
    Image memory = Stored(family, NewDocumentImage(family));
    const Image noise = Pattern(memory.size(), 11);
    for (std::size_t i = 0x300; i < std::min<std::size_t>(memory.size(), 0x340); ++i) memory[i] = noise[i];
    rig.radio.loadMemory(memory);
    rig.options.password = DataPasswordFromImage(memory);
    c.fault.arrange(rig);

    const fs::path in = dir_ / "in.sin";
    const fs::path out = dir_ / "out.sin";
    const Image sentinel = Pattern(static_cast<std::size_t>(family.imageSize), 5);
    // A write sends a file that passes the checks before sending, so that
    // only the link's own messages are counted.
    const Image toSend = c.direction == Direction::Read ? memory : Stored(family, NewDocumentImage(family));
    WriteFile(in, toSend);
    WriteFile(out, sentinel);

    int expected = c.direction == Direction::Read ? c.fault.readExit : c.fault.writeExit;
    if (expected < 0) {
        expected = ShortIdentificationAsks(family, toSend[static_cast<std::size_t>(family.protocol.typeByteAddress)])
                       ? 3
                       : 0;
    }

    int exit = -1;
    CapturedErrors errors;
    {
        velprog::RadioOptions o = rig.options;
        const velprog::LinkEnvironment env{&rig.port, &rig.clock};
        if (c.direction == Direction::Read) {
            o.out = out.string();
            exit = velprog::RunRead(o, env);
        } else {
            o.in = in.string();
            // The matrix is about the write's own exchange: the backup read
            // and the read-back have tests of their own.
            o.noBackup = true;
            o.noVerify = true;
            exit = velprog::RunWrite(o, env);
        }
    }
    const std::string printed = errors.text.str();
    EXPECT_EQ(exit, expected) << printed;
    EXPECT_FALSE(rig.port.isOpen()) << "the port is closed on every way out";
    EXPECT_EQ(rig.simulated.openCount(), rig.simulated.closeCount());
    // Nothing hangs: the longest failure, a silent radio, takes about 18 s.
    EXPECT_LE(rig.clock.nowMs(), 40000) << "virtual milliseconds";
    EXPECT_LE(errors.lines(), c.fault.maxMessages) << printed;

    EXPECT_EQ(ReadFile(in), toSend) << "a write never changes its input";
    if (c.direction == Direction::Read) {
        if (exit == 0) {
            const Image got = ReadFile(out);
            ASSERT_EQ(got.size(), memory.size());
            EXPECT_TRUE(std::equal(memory.begin(), memory.begin() + family.protocol.readBytes(), got.begin()));
        } else {
            EXPECT_EQ(ReadFile(out), sentinel) << "a read that did not finish leaves the output as it was";
        }
    } else if (exit == 0) {
        EXPECT_TRUE(std::equal(toSend.begin(), toSend.begin() + family.protocol.writeBytes(),
                               rig.radio.memory().begin()));
    }
    for (const auto& entry : fs::directory_iterator(dir_)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "in.sin" || name == "out.sin") << name << " left behind";
    }
}

SimulatorFaults Faults(const std::string& text) {
    SimulatorFaults faults;
    std::string error;
    EXPECT_TRUE(ParseSimulatorFaults(text, faults, error)) << error;
    return faults;
}

Arrange RadioFault(const std::string& text) {
    return [text](Rig& rig) { rig.radio.setFaults(Faults(text)); };
}

bool IsAcknowledgement(const std::uint8_t* data, std::size_t count) { return count == 1 && data[0] == 0x06; }

const FaultCase kFaults[] = {
    {"None", [](Rig&) {}, 0, 0, 0},
    {"Silent", RadioFault("silent"), 1, 1, 1},
    {"IgnoresThreeWakeUps", RadioFault("ignore-wakeups=3"), 0, 0, 0},
    {"WrongAcknowledgement", RadioFault("wrong-ack"), 1, 1, 1},
    {"WrongAcknowledgementRetried",
     [](Rig& rig) {
         rig.radio.setFaults(Faults("wrong-ack"));
         rig.options.retries = 1;
     },
     0, 0, 1},
    {"ShortReadReply", RadioFault("short-read=0x40"), 1, 0, 1},
    {"TenByteReadReply", RadioFault("short-read=0x40:10"), 0, 0, 0},
    {"NoBlockAcknowledgement", RadioFault("no-ack=0x40"), 1, 1, 1},
    {"VanishesMidTransfer", RadioFault("vanish=5"), 1, 1, 1},
    {"ShortIdentification", RadioFault("short-id=3"), 0, -1, 2},
    {"TypeMismatch", [](Rig& rig) { rig.radio.setTypeByte(0x5A); }, 0, 3, 1},
    {"TypeMismatchAccepted",
     [](Rig& rig) {
         rig.radio.setTypeByte(0x5A);
         rig.options.acceptType = true;
     },
     0, 0, 1},
    {"PortWillNotOpen", [](Rig& rig) { rig.simulated.setOptions({false, true, false}); }, 1, 1, 2},
    {"CableUnplugged", [](Rig& rig) { rig.simulated.setOptions({false, false, true}); }, 1, 1, 1},
    {"CablePulledMidTransfer", [](Rig& rig) { rig.port.pullAfterWrites = 60; }, 1, 1, 1},
    // The acknowledgement after the identification cannot be sent: without
    // --yes the first refusal ends the session, with it the third; a failure
    // either way, never a cancel, and never an endless loop.
    {"AcknowledgementRefused",
     [](Rig& rig) {
         rig.port.refuseWrite = [&rig](const std::uint8_t* d, std::size_t n) {
             return IsAcknowledgement(d, n) && rig.radio.phase() == RadioSimulator::Phase::Identified;
         };
     },
     1, 1, 1},
    {"AcknowledgementRefusedWithYes",
     [](Rig& rig) {
         rig.port.refuseWrite = [&rig](const std::uint8_t* d, std::size_t n) {
             return IsAcknowledgement(d, n) && rig.radio.phase() == RadioSimulator::Phase::Identified;
         };
         rig.options.yes = true;
     },
     1, 1, 3},
    {"AcknowledgementTakenSecondTime",
     [](Rig& rig) {
         auto refused = std::make_shared<int>(0);
         rig.port.refuseWrite = [&rig, refused](const std::uint8_t* d, std::size_t n) {
             return IsAcknowledgement(d, n) && rig.radio.phase() == RadioSimulator::Phase::Identified &&
                    (*refused)++ == 0;
         };
         rig.options.yes = true;
     },
     0, 0, 1},
};

std::vector<MatrixCase> AllCases() {
    std::vector<MatrixCase> cases;
    for (const Family* family : AllFamilies())
        for (const Direction d : {Direction::Read, Direction::Write})
            for (const FaultCase& f : kFaults) cases.push_back({family, d, f});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(AllFaults, FaultMatrix, ::testing::ValuesIn(AllCases()), [](const auto& info) {
    return info.param.family->name + std::string(info.param.direction == Direction::Read ? "_Read_" : "_Write_") +
           info.param.fault.name;
});

}  // namespace
}  // namespace vel
