#include <gtest/gtest.h>

#include "link/programming_session.h"
#include "scripted_link.h"

namespace vel {
namespace {

using fake::Bench;
using fake::Bytes;
using fake::Ev;
using fake::Render;
using fake::Repeat;
using State = ProgrammingSession::State;

// ---------------------------------------------------------------------------
// Families as the session sees them, with what each must show.
// ---------------------------------------------------------------------------

struct FamilyCase {
    FamilyId id;
    const char* name;
    int imageSize;
    ProtocolParams protocol;
    // Expected results, written out rather than derived from the parameters.
    unsigned lastReadAddress, lastWriteAddress;
    int readSteps, writeSteps;          // progress steps taken
    int readEnd, writeEnd;              // bar position at the end
    const char* waitingText;            // with a Chinese interface
    const char* commErrorChineseUi;     // communication error with a Chinese interface
    const char* commErrorEnglishUi;
};

ProtocolParams Params(int wb, int rb, int typeAddr, int pw, int pr, int pauseR, int max, int sbw, int sbr, int ew,
                      int er, Byte fill, bool waitingFirst, bool cancelOnDeactivate, bool password, TestModeBase base,
                      MessageLanguage lang) {
    return ProtocolParams{wb, rb, typeAddr, pw, pr, pauseR, max, sbw, sbr, ew, er, fill, waitingFirst,
                          cancelOnDeactivate, password, base, lang};
}

constexpr const char* kCommEn = "Communication Error，Please check all the connections and the radio power";
constexpr const char* kCommZh = "通讯错误，请检查连接线是否接触良好或对讲机电源是否开启";
constexpr const char* kWaitEn = "Waiting the response from radio....";

const std::vector<FamilyCase>& FamilyCases() {
    using B = TestModeBase;
    using L = MessageLanguage;
    static const std::vector<FamilyCase> cases{
        {FamilyId::Velmar_V, "Velmar_V", 4096,
         Params(508, 508, 0x081B, 21, 19, 5, 505, 507, 507, 507, 507, 0x00, true, true, false, B::FieldList, L::ByInterface),
         0x0FD8, 0x0FD8, 507, 507, 507, 507, kWaitEn, kCommZh, kCommEn},
        {FamilyId::VM_CH128, "VM_CH128", 3168,
         Params(394, 394, 0x081B, 21, 19, 5, 394, 394, 394, 394, 394, 0x6D, true, true, false, B::FieldList, L::English),
         0x0C48, 0x0C48, 394, 394, 394, 394, kWaitEn, kCommEn, kCommEn},
        {FamilyId::VM_CH118, "VM_CH118", 2048,
         Params(252, 256, 0x07DB, 201, 199, 5, 255, 250, 251, 252, 255, 0x00, true, true, false, B::FieldList, L::English),
         0x07F8, 0x07D8, 251, 250, 255, 252, kWaitEn, kCommEn, kCommEn},
        {FamilyId::Marlowe, "Marlowe", 1024,
         Params(123, 128, 0x03D3, 201, 199, 20, 123, 122, 123, 123, 123, 0x00, false, false, true, B::Fixed450, L::English),
         0x03F8, 0x03D0, 123, 122, 123, 123, kWaitEn, kCommEn, kCommEn},
        {FamilyId::VM_CH16, "VM_CH16", 1024,
         Params(123, 128, 0x03D3, 201, 199, 20, 123, 122, 123, 123, 123, 0x00, false, false, false, B::Fixed450, L::English),
         0x03F8, 0x03D0, 123, 122, 123, 123, kWaitEn, kCommEn, kCommEn},
        {FamilyId::VM_CH16_CN, "VM_CH16_CN", 1024,
         Params(123, 128, 0x03D3, 201, 199, 20, 123, 122, 123, 123, 123, 0x00, false, false, false, B::FieldList, L::Chinese),
         0x03F8, 0x03D0, 123, 122, 123, 123, "正在等待对讲机响应....", kCommZh, kCommZh},
    };
    return cases;
}

void PrintTo(const FamilyCase& c, std::ostream* os) { *os << c.name; }

Family MakeFamily(const FamilyCase& c) {
    Family f{};
    f.id = c.id;
    f.name = c.name;
    f.imageSize = c.imageSize;
    f.protocol = c.protocol;
    return f;
}

const FamilyCase& CaseOf(FamilyId id) {
    for (const FamilyCase& c : FamilyCases()) if (c.id == id) return c;
    throw std::logic_error("no such family");
}

Family TestFamily(FamilyId id) { return MakeFamily(CaseOf(id)); }

void FillPattern(Image& memory) {
    for (std::size_t i = 0; i < memory.size(); ++i) memory[i] = static_cast<Byte>((i * 7 + 3) & 0xFF);
}

std::size_t IndexOfWrite(const fake::Log& log, const Bytes& bytes, int occurrence = 0) {
    for (std::size_t i = 0; i < log.events.size(); ++i) {
        if (log.events[i].kind == Ev::Write && log.events[i].bytes == bytes && occurrence-- == 0) return i;
    }
    return SIZE_MAX;
}

struct Rig {
    Bench bench;
    Family family;
    Image image;
    explicit Rig(FamilyId id, Byte imageFill = 0xEE) : family(TestFamily(id)) {
        image.assign(static_cast<std::size_t>(family.imageSize), imageFill);
        bench.radio.memory.assign(static_cast<std::size_t>(family.imageSize), 0);
        FillPattern(bench.radio.memory);
    }
    SessionResult go(Direction d, Lang lang = Lang::English) {
        ProgrammingSession session(family, lang, bench.port, bench.clock, bench.host);
        SessionResult r = session.run(d, "COM1", image);
        state = session.state();
        EXPECT_EQ(bench.port.opens, bench.port.closes) << "every way out closes the port";
        return r;
    }
    State state = State::Idle;
};

// ---------------------------------------------------------------------------
// One contract, every family.
// ---------------------------------------------------------------------------

class SessionContract : public ::testing::TestWithParam<FamilyCase> {};

TEST_P(SessionContract, ReadCarriesTheFamilysBlocksAndNothingElse) {
    const FamilyCase& c = GetParam();
    Rig run(c.id);
    const SessionResult r = run.go(Direction::Read);
    ASSERT_EQ(r.outcome, SessionOutcome::Completed) << r.lastMessage;
    EXPECT_EQ(run.state, State::Finished);
    const auto& addresses = run.bench.radio.readAddresses;
    ASSERT_EQ(addresses.size(), static_cast<std::size_t>(c.protocol.readBlocks));
    for (std::size_t k = 0; k < addresses.size(); ++k) ASSERT_EQ(addresses[k], 8 * k);
    EXPECT_EQ(addresses.back(), c.lastReadAddress);
    const std::size_t end = c.lastReadAddress + 8;
    for (std::size_t i = 0; i < run.image.size(); ++i) {
        ASSERT_EQ(run.image[i], i < end ? run.bench.radio.memory[i] : 0xEE) << "image byte " << i;
    }
    EXPECT_EQ(run.bench.radio.writeAddresses.size(), 0u);
    EXPECT_EQ(run.bench.host.tableStores, 0);
    EXPECT_EQ(run.bench.host.passwordQueries, c.protocol.dataPasswordCheck ? 1 : 0);

    // Progress: status texts "1".."steps", then the end position.
    const auto& statuses = run.bench.host.statuses;
    ASSERT_EQ(statuses.size(), 2u + static_cast<std::size_t>(c.readSteps));
    EXPECT_EQ(statuses.back(), std::to_string(c.readSteps));
    EXPECT_EQ(run.bench.host.position, c.readEnd);
    EXPECT_EQ(run.bench.log.count(Ev::Progress), static_cast<std::size_t>(c.readSteps) + 1);
    EXPECT_EQ(run.bench.host.pumps, 7 + c.protocol.readBlocks * c.protocol.pumpRoundsAfterReadBlock);
    EXPECT_EQ(run.bench.host.dialogCloses, 1);
    EXPECT_FALSE(run.bench.host.guard);
    EXPECT_TRUE(run.bench.host.messages.empty());
}

TEST_P(SessionContract, WriteSendsTheFamilysBlocksAndLeavesTheRestOfTheRadioAlone) {
    const FamilyCase& c = GetParam();
    Rig run(c.id);
    FillPattern(run.image);
    for (Byte& b : run.image) b ^= 0x5A;
    const Image radioBefore = run.bench.radio.memory;
    run.bench.host.onStoreTable = [&](Image& img) {
        EXPECT_EQ(run.bench.port.opens, 0) << "the table is stored before the port opens";
        img[0] = 0x42;
    };
    const SessionResult r = run.go(Direction::Write);
    ASSERT_EQ(r.outcome, SessionOutcome::Completed) << r.lastMessage;
    EXPECT_EQ(run.bench.host.tableStores, 1);
    const auto& addresses = run.bench.radio.writeAddresses;
    ASSERT_EQ(addresses.size(), static_cast<std::size_t>(c.protocol.writeBlocks));
    EXPECT_EQ(addresses.back(), c.lastWriteAddress);
    const std::size_t end = c.lastWriteAddress + 8;
    for (std::size_t i = 0; i < run.image.size(); ++i) {
        ASSERT_EQ(run.bench.radio.memory[i], i < end ? run.image[i] : radioBefore[i]) << "radio byte " << i;
    }
    EXPECT_EQ(run.bench.radio.memory[0], 0x42);
    EXPECT_EQ(run.bench.host.statuses.back(), std::to_string(c.writeSteps));
    EXPECT_EQ(run.bench.host.position, c.writeEnd);
    EXPECT_EQ(run.bench.host.passwordQueries, 0);
    EXPECT_EQ(run.bench.host.pumps, 7 + c.protocol.writeBlocks * c.protocol.pumpRoundsAfterWriteBlock);
}

TEST_P(SessionContract, HandshakeStepsAndWaitingStatus) {
    const FamilyCase& c = GetParam();
    Rig run(c.id);
    run.go(Direction::Read, Lang::Chinese);
    const std::string frame = "p1 pb w:02 p1 pb w:50 p1 pb w:52 p1 pb w:4F p1 pb w:47 p1 pb w:52 p1 pb w:41 ";
    const std::string wake = c.protocol.waitingStatusBeforeWakeup ? "s pa " + frame : "pa " + frame + "s ";
    const std::string expected = "open cfg30 s " + Repeat("pump p1 ", 7) + wake +
                                 "r1:06 p1 pb w:4D p1 pb w:02 r8:10111213FF151617 pb w:06 r1:06 ";
    EXPECT_EQ(Render(run.bench.log.events, 0, IndexOfWrite(run.bench.log, {0x52, 0, 0, 8}) - 1), expected);
    EXPECT_EQ(run.bench.host.statuses.at(1), c.waitingText);
}

TEST_P(SessionContract, ReadAndWriteBlocksArePacedByTheFamily) {
    const FamilyCase& c = GetParam();
    Rig reader(c.id);
    reader.go(Direction::Read);
    const std::size_t r1 = IndexOfWrite(reader.bench.log, {0x52, 0x00, 0x08, 0x08});
    const std::size_t r2 = IndexOfWrite(reader.bench.log, {0x52, 0x00, 0x10, 0x08});
    EXPECT_EQ(Render(reader.bench.log.events, r1 - 1, r2 - 1),
              "pb w:52000808 r12:570008083B424950575E656C pb pos2 s p15 pb w:06 r1:06 g1 " +
                  Repeat("pump ", c.protocol.pumpRoundsAfterReadBlock) + "p" +
                  std::to_string(c.protocol.pauseAfterReadBlockMs) + " ");

    Rig writer(c.id, 0x33);
    writer.go(Direction::Write);
    const std::size_t w1 = IndexOfWrite(writer.bench.log, {0x57, 0x00, 0x08, 0x08});
    const std::size_t w2 = IndexOfWrite(writer.bench.log, {0x57, 0x00, 0x10, 0x08});
    EXPECT_EQ(Render(writer.bench.log.events, w1, w2),
              "w:57000808 p1 pb w:3333333333333333 r1:06 pos2 s g1 " +
                  Repeat("pump ", c.protocol.pumpRoundsAfterWriteBlock) + "p1 ");
}

TEST_P(SessionContract, TypeByteComesFromTheFamilysAddress) {
    const FamilyCase& c = GetParam();
    for (const Byte imageType : {Byte{0x33}, Byte{0x44}}) {
        Rig run(c.id);
        run.bench.radio.identification[4] = 0x33;
        run.image[static_cast<std::size_t>(c.protocol.typeByteAddress)] = imageType;
        const SessionResult r = run.go(Direction::Write);
        EXPECT_EQ(r.outcome, imageType == 0x33 ? SessionOutcome::Completed : SessionOutcome::Cancelled);
        EXPECT_EQ(run.bench.host.messages.size(), imageType == 0x33 ? 0u : 1u);
    }
}

TEST_P(SessionContract, MessagesFollowTheFamilysLanguage) {
    const FamilyCase& c = GetParam();
    for (const Lang lang : {Lang::English, Lang::Chinese}) {
        Rig run(c.id);
        run.bench.radio.wakeAnswer = [](int) { return Bytes{}; };
        run.go(Direction::Read, lang);
        ASSERT_EQ(run.bench.host.messages.size(), 1u);
        EXPECT_EQ(run.bench.host.messages[0].text, lang == Lang::English ? c.commErrorEnglishUi : c.commErrorChineseUi);
    }
}

INSTANTIATE_TEST_SUITE_P(Families, SessionContract, ::testing::ValuesIn(FamilyCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The real descriptors: the same expectations with their own parameters.
std::vector<FamilyCase> DescriptorCases() {
    std::vector<FamilyCase> out;
    for (FamilyCase c : FamilyCases()) {
        const Family& f = GetFamily(c.id);
        c.imageSize = f.imageSize;
        c.protocol = f.protocol;
        out.push_back(c);
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(Descriptors, SessionContract, ::testing::ValuesIn(DescriptorCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SessionDescriptors, CarryTheProtocolParametersOfEachFamily) {
    ASSERT_EQ(AllFamilies().size(), 6u);
    for (const FamilyCase& c : FamilyCases()) {
        SCOPED_TRACE(c.name);
        const Family& f = GetFamily(c.id);
        const ProtocolParams& got = f.protocol;
        const ProtocolParams& want = c.protocol;
        EXPECT_EQ(f.name, c.name);
        EXPECT_EQ(f.imageSize, c.imageSize);
        EXPECT_EQ(got.writeBlocks, want.writeBlocks);
        EXPECT_EQ(got.readBlocks, want.readBlocks);
        EXPECT_EQ(got.typeByteAddress, want.typeByteAddress);
        EXPECT_EQ(got.pumpRoundsAfterWriteBlock, want.pumpRoundsAfterWriteBlock);
        EXPECT_EQ(got.pumpRoundsAfterReadBlock, want.pumpRoundsAfterReadBlock);
        EXPECT_EQ(got.pauseAfterReadBlockMs, want.pauseAfterReadBlockMs);
        EXPECT_EQ(got.progressMax, want.progressMax);
        EXPECT_EQ(got.stepBelowWrite, want.stepBelowWrite);
        EXPECT_EQ(got.stepBelowRead, want.stepBelowRead);
        EXPECT_EQ(got.endPositionWrite, want.endPositionWrite);
        EXPECT_EQ(got.endPositionRead, want.endPositionRead);
        EXPECT_EQ(got.replyBufferFill, want.replyBufferFill);
        EXPECT_EQ(got.waitingStatusBeforeWakeup, want.waitingStatusBeforeWakeup);
        EXPECT_EQ(got.cancelOnDeactivateOrMove, want.cancelOnDeactivateOrMove);
        EXPECT_EQ(got.dataPasswordCheck, want.dataPasswordCheck);
        EXPECT_EQ(got.testModeBase, want.testModeBase);
        EXPECT_EQ(got.messageLanguage, want.messageLanguage);
    }
}

// ---------------------------------------------------------------------------
// Every failure of the session, in both languages.
// ---------------------------------------------------------------------------

struct FailureCase {
    const char* name;
    Direction direction;
    std::function<void(Rig&)> setup;
    const char* english;
    const char* chinese;
    MessageButtons buttons;
    SessionOutcome outcome;
    State state;
    int blocks;
};

auto Silent() { return [](Rig& r) { r.bench.radio.wakeAnswer = [](int) { return Bytes{}; }; }; }
auto ReadFailsAt(int index) {
    return [index](Rig& r) { r.bench.port.readFails = [index](int i) { return i == index; }; };
}

const std::vector<FailureCase>& FailureCases() {
    static const std::vector<FailureCase> cases{
        {"OpenFails", Direction::Read, [](Rig& r) { r.bench.port.openFails = true; },
         "Could not Open the Port,Please check whether the Port are occupied or the device are ok",
         "无法打开串口，请检查该设备是否正常，或是否被占用", MessageButtons::Ok, SessionOutcome::OpenFailed,
         State::Failed, 0},
        {"NoWakeUpAnswer", Direction::Read, Silent(), kCommEn, kCommZh, MessageButtons::RetryCancel,
         SessionOutcome::Failed, State::Failed, 0},
        {"IdentificationReadFails", Direction::Write, ReadFailsAt(1), kCommEn, kCommZh, MessageButtons::RetryCancel,
         SessionOutcome::Failed, State::Failed, 0},
        {"AcknowledgementReadFails", Direction::Read, ReadFailsAt(2), kCommEn, kCommZh, MessageButtons::RetryCancel,
         SessionOutcome::Failed, State::Failed, 0},
        {"WrongAcknowledgement", Direction::Read, [](Rig& r) { r.bench.radio.firstAckAnswer = {0x15}; }, kCommEn,
         kCommZh, MessageButtons::RetryCancel, SessionOutcome::Failed, State::Failed, 0},
        {"NoAcknowledgement", Direction::Write, [](Rig& r) { r.bench.radio.firstAckAnswer = {}; }, kCommEn, kCommZh,
         MessageButtons::RetryCancel, SessionOutcome::Failed, State::Failed, 0},
        {"RadioTypeMismatch", Direction::Write,
         [](Rig& r) {
             r.bench.radio.identification[4] = 0x38;
             r.image[0x081B] = 0x39;
         },
         " Radio Type are not match for your setting，If you want continue,push ok button",
         " 对讲机的类型与你所设置的不一样，若要覆盖请按确定按钮", MessageButtons::OkCancel, SessionOutcome::Cancelled,
         State::Cancelled, 0},
        {"AcknowledgementCannotBeWritten", Direction::Read,
         [](Rig& r) { r.bench.port.writeFails = [](const Bytes& b) { return b == Bytes{0x06}; }; },
         // Cancel on the send-order box: the session could not go on, a failure.
         " Error in the Send Order", " 发送数据错误", MessageButtons::OkCancel, SessionOutcome::Failed,
         State::Failed, 0},
        {"NineByteReadReply", Direction::Read,
         [](Rig& r) { r.bench.radio.readReplyLength = [](int k) { return k == 3 ? 9 : 12; }; },
         "not received enough  byte", "未收到足够字节", MessageButtons::Ok, SessionOutcome::Failed, State::Failed, 3},
        {"SilentReadReply", Direction::Read, [](Rig& r) { r.bench.radio.readReplyLength = [](int) { return 0; }; },
         "not received enough  byte", "未收到足够字节", MessageButtons::Ok, SessionOutcome::Failed, State::Failed, 0},
        {"ReadReplyDeviceError", Direction::Read, ReadFailsAt(3), "not received enough  byte", "未收到足够字节",
         MessageButtons::Ok, SessionOutcome::Failed, State::Failed, 0},
        // A reply must name the block it carries: 0x57, the requested address, 8.
        {"ReadReplyAfterAStrayByte", Direction::Read,
         [](Rig& r) {
             r.bench.radio.readReplyRewrite = [](int k, Bytes b) {
                 if (k == 4) b.insert(b.begin(), 0x00);
                 return b;
             };
         },
         "not received enough  byte", "未收到足够字节", MessageButtons::Ok, SessionOutcome::Failed, State::Failed, 4},
        {"ReadReplyForAnotherAddress", Direction::Read,
         [](Rig& r) {
             r.bench.radio.readReplyRewrite = [](int k, Bytes b) {
                 if (k == 2) b[2] = static_cast<std::uint8_t>(b[2] + 8);
                 return b;
             };
         },
         "not received enough  byte", "未收到足够字节", MessageButtons::Ok, SessionOutcome::Failed, State::Failed, 2},
        {"ReadReplyWithAnotherCount", Direction::Read,
         [](Rig& r) {
             r.bench.radio.readReplyRewrite = [](int k, Bytes b) {
                 if (k == 1) b[3] = 0x10;
                 return b;
             };
         },
         "not received enough  byte", "未收到足够字节", MessageButtons::Ok, SessionOutcome::Failed, State::Failed, 1},
        {"PeerAnsweringEveryRequestWith06", Direction::Read,
         [](Rig& r) { r.bench.radio.readReplyRewrite = [](int, Bytes b) { return Bytes(b.size(), 0x06); }; },
         "not received enough  byte", "未收到足够字节", MessageButtons::Ok, SessionOutcome::Failed, State::Failed, 0},
        {"WrongReadBlockAcknowledgement", Direction::Read,
         [](Rig& r) { r.bench.radio.readAckAnswer = [](int k) { return k == 5 ? Bytes{0x15} : Bytes{0x06}; }; },
         "Error had happen,please try again", "接收出错中断，请重试", MessageButtons::Ok, SessionOutcome::Failed,
         State::Failed, 6},
        {"MissingReadBlockAcknowledgement", Direction::Read,
         [](Rig& r) { r.bench.radio.readAckAnswer = [](int) { return Bytes{}; }; }, "Error had happen,please try again",
         "接收出错中断，请重试", MessageButtons::Ok, SessionOutcome::Failed, State::Failed, 1},
        {"MissingWriteBlockAcknowledgement", Direction::Write,
         [](Rig& r) { r.bench.radio.writeAckAnswer = [](int k) { return k == 7 ? Bytes{} : Bytes{0x06}; }; },
         " Program Interrupt，Please reset the radio and try again", " 接收出错中断，请重试", MessageButtons::Ok,
         SessionOutcome::Failed, State::Failed, 7},
        {"WrongWriteBlockAcknowledgement", Direction::Write,
         [](Rig& r) { r.bench.radio.writeAckAnswer = [](int) { return Bytes{0x00}; }; },
         " Program Interrupt，Please reset the radio and try again", " 接收出错中断，请重试", MessageButtons::Ok,
         SessionOutcome::Failed, State::Failed, 0},
    };
    return cases;
}

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class SessionFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SessionFailure, ShowsOneBoxClosesEverythingAndKeepsWhatCame) {
    const FailureCase& c = GetParam();
    for (const Lang lang : {Lang::English, Lang::Chinese}) {
        SCOPED_TRACE(lang == Lang::English ? "English" : "Chinese");
        Rig run(FamilyId::Velmar_V);
        c.setup(run);
        const SessionResult r = run.go(c.direction, lang);
        const auto& host = run.bench.host;
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, lang == Lang::English ? c.english : c.chinese);
        EXPECT_EQ(r.lastMessage, host.messages[0].text);
        EXPECT_EQ(host.messages[0].buttons, c.buttons);
        // Only the send-order box leaves the guard as it was.
        EXPECT_EQ(host.messages[0].guardArmed, std::string(c.name) == "AcknowledgementCannotBeWritten");
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(run.state, c.state);
        EXPECT_EQ(r.blocksTransferred, c.blocks);
        EXPECT_EQ(host.dialogCloses, 1);
        EXPECT_FALSE(run.bench.port.isOpen());
        // Blocks already read stay; the rest of the image is untouched.
        if (c.direction == Direction::Read) {
            for (std::size_t i = 0; i < 8u * static_cast<std::size_t>(c.blocks + 1); ++i) {
                ASSERT_EQ(run.image[i], i < 8u * c.blocks ? run.bench.radio.memory[i] : 0xEE) << i;
            }
        }
        // A failed write leaves the bar full; a failed read where it got to.
        const bool writeBlockFailed = c.direction == Direction::Write && c.outcome == SessionOutcome::Failed &&
                                      c.buttons == MessageButtons::Ok;
        EXPECT_EQ(host.position, writeBlockFailed ? 507 : c.blocks);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SessionFailure, ::testing::ValuesIn(FailureCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SessionOpen, FailureNamesTheDeviceOnALineBelowAndSendsNothing) {
    Rig run(FamilyId::Velmar_V);
    run.bench.port.openFails = true;
    run.bench.port.failure = {OpenFailureKind::InUse, "COM1", "/dev/ttyUSB0", "Device or resource busy", {}};
    run.go(Direction::Write);
    EXPECT_EQ(run.bench.host.messages.at(0).text,
              "Could not Open the Port,Please check whether the Port are occupied or the device are ok\n"
              "Could not open /dev/ttyUSB0 for COM1: the port is in use by another program (Device or resource "
              "busy). Close that program and try again.");
    EXPECT_FALSE(run.bench.host.messages[0].guardArmed);
    EXPECT_EQ(run.bench.log.count(Ev::Write), 0u);
    EXPECT_EQ(Render(run.bench.log.events), "open g0 msg cd ");
}

// ---------------------------------------------------------------------------
// Wake-up attempts, Retry and Cancel.
// ---------------------------------------------------------------------------

TEST(SessionWakeUp, FifteenAttemptsThenRetryGivesFifteenFreshOnesOnTheSamePort) {
    Rig run(FamilyId::Velmar_V);
    run.bench.radio.wakeAnswer = [](int) { return Bytes{}; };
    run.bench.host.answers = {MessageAnswer::Retry, MessageAnswer::Cancel};
    const SessionResult r = run.go(Direction::Read);
    EXPECT_EQ(r.outcome, SessionOutcome::Failed);
    EXPECT_EQ(run.bench.radio.wakeUps, 30);
    EXPECT_EQ(run.bench.port.opens, 1);
    EXPECT_EQ(run.bench.host.statuses.size(), 31u) << "detecting once, waiting at every attempt";
    // One attempt: 7 pump rounds with 1 ms, 7 bytes with 1 ms, two 590 ms
    // reads and the 2 ms pause.
    const auto boxes = run.bench.log.only(Ev::Message);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].at, 15 * 1196);
    EXPECT_EQ(boxes[1].at, 30 * 1196);
    // Retry arms the guard again before the next attempts.
    const std::string afterRetry = Render(run.bench.log.events);
    EXPECT_NE(afterRetry.find("msg g1 pump"), std::string::npos);
}

TEST(SessionWakeUp, RadioThatWakesAfterARetryIsRead) {
    Rig run(FamilyId::VM_CH16);
    run.bench.radio.wakeAnswer = [](int attempt) { return attempt > 20 ? Bytes{0x06} : Bytes{}; };
    run.bench.host.answers = {MessageAnswer::Retry};
    EXPECT_EQ(run.go(Direction::Read).outcome, SessionOutcome::Completed);
    EXPECT_EQ(run.bench.radio.wakeUps, 21);
}

struct WakeAnswerCase {
    Bytes answer;
    bool accepted;
};

class SessionWakeAnswer : public ::testing::TestWithParam<WakeAnswerCase> {};

TEST_P(SessionWakeAnswer, AcknowledgementMayComeAsTheSecondByte) {
    Rig run(FamilyId::Velmar_V);
    const Bytes answer = GetParam().answer;
    run.bench.radio.wakeAnswer = [answer](int attempt) { return attempt == 1 ? answer : Bytes{0x06}; };
    EXPECT_EQ(run.go(Direction::Read).outcome, SessionOutcome::Completed);
    EXPECT_EQ(run.bench.radio.wakeUps, GetParam().accepted ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, SessionWakeAnswer,
                         ::testing::Values(WakeAnswerCase{{0x06}, true}, WakeAnswerCase{{0x00, 0x06}, true},
                                           WakeAnswerCase{{0x15, 0x15, 0x06}, false}, WakeAnswerCase{{0x15}, false},
                                           WakeAnswerCase{{}, false}));

TEST(SessionWakeAnswer, FailedFirstReadGetsNoSecondRead) {
    Rig run(FamilyId::Velmar_V);
    run.bench.radio.wakeAnswer = [](int attempt) { return attempt == 1 ? Bytes{0x00, 0x06} : Bytes{0x06}; };
    run.bench.port.readFails = [](int i) { return i == 0; };
    EXPECT_EQ(run.go(Direction::Read).outcome, SessionOutcome::Completed);
    EXPECT_EQ(run.bench.radio.wakeUps, 2);
}

TEST(SessionAcknowledge, WrongAnswerPumps601RoundsBeforeTheBox) {
    Rig run(FamilyId::Velmar_V);
    run.bench.radio.firstAckAnswer = {0x15};
    run.go(Direction::Read);
    const std::string log = Render(run.bench.log.events);
    EXPECT_NE(log.find("w:06 r1:15 g1 " + Repeat("pump p1 ", 601) + "g0 msg close cd "), std::string::npos) << log;
}

TEST(SessionAcknowledge, SendOrderBoxResendsOnOkAndKeepsTheGuard) {
    Rig run(FamilyId::Velmar_V);
    int failures = 2;
    run.bench.port.writeFails = [&](const Bytes& b) { return b == Bytes{0x06} && failures-- > 0; };
    run.bench.host.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    EXPECT_EQ(run.go(Direction::Read).outcome, SessionOutcome::Completed);
    ASSERT_EQ(run.bench.host.messages.size(), 2u);
    for (const auto& m : run.bench.host.messages) {
        EXPECT_EQ(m.text, " Error in the Send Order");
        EXPECT_TRUE(m.guardArmed);
    }
}

// An acknowledgement the port never takes is sent at most three times, each
// refusal with the send-order box; then the session fails. It is never
// reported as a cancel, whatever the box is answered.
struct SendOrderCase {
    const char* name;
    int failingSends;                       // sends of 0x06 the port refuses
    std::vector<MessageAnswer> answers;     // to the send-order boxes, in order
    SessionOutcome outcome;
    std::vector<MessageButtons> boxes;      // the boxes shown
    int sends;                              // writes of the acknowledgement
};

void PrintTo(const SendOrderCase& c, std::ostream* os) { *os << c.name; }

class SessionSendOrder : public ::testing::TestWithParam<SendOrderCase> {};

TEST_P(SessionSendOrder, ResendsAtMostThreeTimesThenFails) {
    const SendOrderCase& c = GetParam();
    Rig run(FamilyId::Velmar_V);
    int refused = 0;
    int sends = 0;
    bool handshake = true;
    run.bench.port.writeFails = [&](const Bytes& b) {
        if (!handshake || b != Bytes{0x06}) return false;
        ++sends;
        if (refused < c.failingSends) {
            ++refused;
            return true;
        }
        handshake = false;
        return false;
    };
    run.bench.host.answers.assign(c.answers.begin(), c.answers.end());
    const SessionResult r = run.go(Direction::Write);
    EXPECT_EQ(r.outcome, c.outcome) << r.lastMessage;
    ASSERT_EQ(run.bench.host.messages.size(), c.boxes.size());
    for (std::size_t i = 0; i < c.boxes.size(); ++i) {
        EXPECT_EQ(run.bench.host.messages[i].text, " Error in the Send Order");
        EXPECT_EQ(run.bench.host.messages[i].buttons, c.boxes[i]) << i;
    }
    EXPECT_EQ(sends, c.sends);
    if (c.outcome == SessionOutcome::Failed) {
        EXPECT_EQ(run.state, State::Failed);
    }
}

using MA = MessageAnswer;
using MB = MessageButtons;
INSTANTIATE_TEST_SUITE_P(
    Cases, SessionSendOrder,
    ::testing::Values(
        SendOrderCase{"TakenFirstTime", 0, {}, SessionOutcome::Completed, {}, 1},
        SendOrderCase{"TakenThirdTime", 2, {MA::Ok, MA::Ok}, SessionOutcome::Completed, {MB::OkCancel, MB::OkCancel}, 3},
        SendOrderCase{"NeverTaken", 100, {MA::Ok, MA::Ok, MA::Ok}, SessionOutcome::Failed,
                      {MB::OkCancel, MB::OkCancel, MB::Ok}, 3},
        SendOrderCase{"CancelIsAFailure", 100, {MA::Cancel}, SessionOutcome::Failed, {MB::OkCancel}, 1},
        SendOrderCase{"CancelOnTheSecond", 100, {MA::Ok, MA::Cancel}, SessionOutcome::Failed,
                      {MB::OkCancel, MB::OkCancel}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// A stop request that arrives while the session waits on the line (a signal
// on the command line) ends the session as cancelled, without the failure
// message the cut-short wait would otherwise bring.
struct StopCase {
    const char* name;
    Direction direction;
    std::function<void(Bench&)> arrange;   // sets host.cancelNow during some read
};

void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }

class SessionStopRequest : public ::testing::TestWithParam<StopCase> {};

TEST_P(SessionStopRequest, EndsAsCancelledWithoutAMessage) {
    const StopCase& c = GetParam();
    Rig run(FamilyId::VM_CH16);
    c.arrange(run.bench);
    const SessionResult r = run.go(c.direction);
    EXPECT_EQ(r.outcome, SessionOutcome::Cancelled) << r.lastMessage;
    EXPECT_TRUE(run.bench.host.messages.empty()) << run.bench.host.messages.front().text;
    EXPECT_EQ(run.state, State::Cancelled);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SessionStopRequest,
    ::testing::Values(
        StopCase{"SilentRadioAtTheLastWakeUp", Direction::Read,
                 [](Bench& b) {
                     b.radio.wakeAnswer = [&b](int attempt) {
                         if (attempt == 15) b.host.cancelNow = true;
                         return Bytes{};
                     };
                 }},
        StopCase{"ReadBlockCutShort", Direction::Read,
                 [](Bench& b) {
                     b.radio.readReplyLength = [&b](int block) {
                         if (block == 3) b.host.cancelNow = true;
                         return block == 3 ? 0 : 12;
                     };
                 }},
        StopCase{"WriteAcknowledgementCutShort", Direction::Write,
                 [](Bench& b) {
                     b.radio.writeAckAnswer = [&b](int block) {
                         if (block == 5) b.host.cancelNow = true;
                         return block == 5 ? Bytes{} : Bytes{kAcknowledge};
                     };
                 }},
        StopCase{"HandshakeAcknowledgementRefused", Direction::Write,
                 [](Bench& b) {
                     b.port.writeFails = [&b](const Bytes& bytes) {
                         if (bytes != Bytes{kAcknowledge}) return false;
                         b.host.cancelNow = true;
                         return true;
                     };
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Radio type.
// ---------------------------------------------------------------------------

struct TypeCase {
    FamilyId family;
    Direction direction;
    Bytes identification;
    Byte imageType;
    bool asks;
};

class SessionTypeCheck : public ::testing::TestWithParam<TypeCase> {};

TEST_P(SessionTypeCheck, AsksOnlyWhenAWriteMeetsAnotherType) {
    const TypeCase& c = GetParam();
    Rig run(c.family);
    run.bench.radio.identification = c.identification;
    run.image[static_cast<std::size_t>(run.family.protocol.typeByteAddress)] = c.imageType;
    run.bench.host.answers = {MessageAnswer::Ok};
    EXPECT_EQ(run.go(c.direction).outcome, SessionOutcome::Completed);
    EXPECT_EQ(run.bench.host.messages.size(), c.asks ? 1u : 0u);
    EXPECT_EQ(run.bench.radio.identifications, c.asks ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SessionTypeCheck,
    ::testing::Values(TypeCase{FamilyId::Velmar_V, Direction::Write, {0, 0, 0, 0, 0x38, 0, 0, 0}, 0x39, true},
                      TypeCase{FamilyId::Velmar_V, Direction::Write, {0, 0, 0, 0, 0x39, 0, 0, 0}, 0x39, false},
                      TypeCase{FamilyId::Velmar_V, Direction::Write, {0, 0, 0, 0, 0xFF, 0, 0, 0}, 0x39, false},
                      TypeCase{FamilyId::Velmar_V, Direction::Read, {0, 0, 0, 0, 0x38, 0, 0, 0}, 0x39, false},
                      // A short reply leaves the buffer's fill in the type byte.
                      TypeCase{FamilyId::VM_CH128, Direction::Write, {0, 0, 0}, 0x6D, false},
                      TypeCase{FamilyId::VM_CH128, Direction::Write, {0, 0, 0}, 0x00, true},
                      TypeCase{FamilyId::Velmar_V, Direction::Write, {0, 0, 0}, 0x00, false},
                      TypeCase{FamilyId::Velmar_V, Direction::Write, {}, 0x6D, true}));

TEST(SessionTypeCheck, OkRunsTheWholeHandshakeAgainAfter351Rounds) {
    Rig run(FamilyId::Velmar_V);
    run.bench.radio.identification[4] = 0x38;
    run.image[0x081B] = 0x39;
    run.bench.host.answers = {MessageAnswer::Ok};
    run.go(Direction::Write);
    EXPECT_EQ(run.bench.radio.wakeUps, 2);
    const std::string log = Render(run.bench.log.events);
    EXPECT_NE(log.find("r8:1011121338151617 g0 msg g1 " + Repeat("pump p1 ", 351 + 7) + "s pa "), std::string::npos);
}

TEST(SessionTypeCheck, ChineseSixteenChannelTextHasNoLeadingBlank) {
    Rig run(FamilyId::VM_CH16_CN);
    run.bench.radio.identification[4] = 0x38;
    run.go(Direction::Write, Lang::English);
    EXPECT_EQ(run.bench.host.messages.at(0).text, "对讲机的类型与你所设置的不一样，若要覆盖请按确定按钮");
}

// ---------------------------------------------------------------------------
// Cancel, in every state.
// ---------------------------------------------------------------------------

struct CancelCase {
    const char* name;
    Direction direction;
    std::function<void(Rig&)> setup;
    int cancelAtPump;
    State stateAtCancel;
    int blocks;
    std::size_t messages;   // boxes shown before the cancel
};

void PrintTo(const CancelCase& c, std::ostream* os) { *os << c.name; }

class SessionCancel : public ::testing::TestWithParam<CancelCase> {};

TEST_P(SessionCancel, ClosesPortAndDialogWithoutAMessage) {
    const CancelCase& c = GetParam();
    Rig run(FamilyId::Velmar_V);
    if (c.setup) c.setup(run);
    run.bench.host.cancelAfterPumps = c.cancelAtPump;
    ProgrammingSession* session = nullptr;
    State seen = State::Idle;
    run.bench.host.onPump = [&] { if (run.bench.host.pumps == c.cancelAtPump) seen = session->state(); };
    ProgrammingSession s(run.family, Lang::English, run.bench.port, run.bench.clock, run.bench.host);
    session = &s;
    const SessionResult r = s.run(c.direction, "COM1", run.image);
    EXPECT_EQ(seen, c.stateAtCancel);
    EXPECT_EQ(r.outcome, SessionOutcome::Cancelled);
    EXPECT_EQ(s.state(), State::Cancelled);
    EXPECT_EQ(r.blocksTransferred, c.blocks);
    EXPECT_EQ(run.bench.host.pumps, c.cancelAtPump) << "stops within the pump round";
    EXPECT_EQ(run.bench.host.messages.size(), c.messages);
    EXPECT_EQ(run.bench.host.dialogCloses, 1);
    EXPECT_FALSE(run.bench.port.isOpen());
    EXPECT_EQ(run.bench.port.closes, 1);
    if (c.direction == Direction::Read) {
        for (std::size_t i = 0; i < run.image.size(); ++i) {
            ASSERT_EQ(run.image[i], i < 8u * c.blocks ? run.bench.radio.memory[i] : 0xEE) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    States, SessionCancel,
    ::testing::Values(
        CancelCase{"BeforeTheFirstWakeUp", Direction::Read, nullptr, 1, State::Waking, 0, 0},
        CancelCase{"BetweenAttempts", Direction::Read,
                   [](Rig& r) { r.bench.radio.wakeAnswer = [](int) { return Bytes{}; }; }, 7 * 4 + 3, State::Waking, 0, 0},
        CancelCase{"AfterAcceptedTypeMismatch", Direction::Write,
                   [](Rig& r) {
                       r.bench.radio.identification[4] = 0x38;
                       r.bench.host.answers = {MessageAnswer::Ok};
                   },
                   7 + 100, State::Identifying, 0, 1},
        CancelCase{"AfterWrongAcknowledgement", Direction::Read,
                   [](Rig& r) { r.bench.radio.firstAckAnswer = {0x00}; }, 7 + 300, State::Acknowledging, 0, 0},
        CancelCase{"DuringReadBlocks", Direction::Read, nullptr, 7 + 19 * 3 + 1, State::Transferring, 4, 0},
        CancelCase{"DuringWriteBlocks", Direction::Write, nullptr, 7 + 21 * 10 + 21, State::Transferring, 11, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Read replies and the data password.
// ---------------------------------------------------------------------------

class SessionShortReply : public ::testing::TestWithParam<int> {};

TEST_P(SessionShortReply, StoresOnlyTheDataBytesThatCame) {
    const int length = GetParam();
    Rig run(FamilyId::Velmar_V);
    run.bench.radio.readReplyLength = [length](int k) { return k == 2 ? length : 12; };
    ASSERT_EQ(run.go(Direction::Read).outcome, SessionOutcome::Completed);
    for (int i = 0; i < 8; ++i) {
        const std::size_t addr = 16 + static_cast<std::size_t>(i);
        EXPECT_EQ(run.image[addr], i < length - 4 ? run.bench.radio.memory[addr] : 0xEE) << "block 2 byte " << i;
    }
    EXPECT_EQ(run.image[24], run.bench.radio.memory[24]);
}

INSTANTIATE_TEST_SUITE_P(Lengths, SessionShortReply, ::testing::Values(10, 11, 12));

struct PasswordCase {
    Bytes radioFirst6;
    const char* typed;
    bool passes;
};

class SessionDataPassword : public ::testing::TestWithParam<PasswordCase> {};

TEST_P(SessionDataPassword, CheckedOnceAfterTheSecondBlock) {
    const PasswordCase& c = GetParam();
    Rig run(FamilyId::Marlowe);
    std::copy(c.radioFirst6.begin(), c.radioFirst6.end(), run.bench.radio.memory.begin());
    run.bench.host.password = c.typed;
    const SessionResult r = run.go(Direction::Read);
    EXPECT_EQ(run.bench.host.passwordQueries, 1);
    if (c.passes) {
        EXPECT_EQ(r.outcome, SessionOutcome::Completed);
        EXPECT_TRUE(run.bench.host.messages.empty());
        return;
    }
    EXPECT_EQ(r.outcome, SessionOutcome::Failed);
    ASSERT_EQ(run.bench.host.messages.size(), 1u);
    EXPECT_EQ(run.bench.host.messages[0].text, "Password incorrect");
    EXPECT_FALSE(run.bench.host.messages[0].guardArmed);
    EXPECT_EQ(run.bench.radio.readAddresses.size(), 2u);
    EXPECT_EQ(run.bench.host.position, 1) << "the second block's step is not taken";
    for (std::size_t i = 0; i < run.image.size(); ++i) {
        ASSERT_EQ(run.image[i], i < 16 ? run.bench.radio.memory[i] : 0xEE) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SessionDataPassword,
    ::testing::Values(PasswordCase{{'1', '2', '3', '4', '5', '6'}, "", false},
                      PasswordCase{{'1', '2', '3', '4', '5', '6'}, "123456", true},
                      PasswordCase{{'1', '2', '3', '4', '5', '6'}, "123456  ", true},
                      PasswordCase{{'1', '2', '3', '4', 0xFF, 0xFF}, "1243", false},
                      PasswordCase{{'1', 0xFF, '2', '3', 0xFF, 0xFF}, "123", true},
                      PasswordCase{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "", true},
                      PasswordCase{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "1", false}));

TEST(SessionReentry, SecondRunFromAPumpRoundDoesNothing) {
    Rig run(FamilyId::VM_CH16);
    ProgrammingSession s(run.family, Lang::English, run.bench.port, run.bench.clock, run.bench.host);
    SessionResult inner;
    run.bench.host.onPump = [&] {
        if (run.bench.host.pumps == 20) inner = s.run(Direction::Write, "COM2", run.image);
    };
    EXPECT_EQ(s.run(Direction::Read, "COM1", run.image).outcome, SessionOutcome::Completed);
    EXPECT_EQ(inner.outcome, SessionOutcome::Failed);
    EXPECT_TRUE(inner.lastMessage.empty());
    EXPECT_EQ(run.bench.port.opens, 1);
    EXPECT_EQ(run.bench.host.dialogCloses, 1);
    EXPECT_TRUE(run.bench.radio.writeAddresses.empty());
    EXPECT_FALSE(s.running());
}

TEST(SessionImage, TooSmallImageIsRefusedBeforeThePortOpens) {
    Rig run(FamilyId::Velmar_V);
    run.image.resize(0x0FD0);
    ProgrammingSession s(run.family, Lang::English, run.bench.port, run.bench.clock, run.bench.host);
    EXPECT_THROW(s.run(Direction::Read, "COM1", run.image), std::invalid_argument);
    EXPECT_EQ(run.bench.port.opens, 0);
}

}  // namespace
}  // namespace vel
