#include <gtest/gtest.h>

#include "scripted_link.h"
#include "testmode/test_mode_exchange.h"

namespace vel {
namespace {

using fake::Bench;
using fake::Bytes;
using fake::Ev;
using fake::Hex;

Family FamilyWith(MessageLanguage lang, TestModeBase base = TestModeBase::FieldList) {
    Family f{};
    f.id = FamilyId::Velmar_V;
    f.protocol.messageLanguage = lang;
    f.protocol.testModeBase = base;
    return f;
}

std::string Render(const fake::Log& log) { return fake::Render(log.events); }

TestModeRequest SquelchRequest() {
    TestModeRequest r;
    r.itemCode = 4;
    r.value = FindTestModeItem(4)->defaultValue;
    r.rxFrequencyText = "145.12500";
    r.txFrequencyText = "145.12500";
    r.rxToneText = "88.5";
    r.txToneText = "OFF";
    return r;
}

TestModeOutcome Start(Bench& b, const Family& f, Lang lang, const TestModeRequest& r = SquelchRequest()) {
    return RunTestModeExchange(f, lang, b.port, b.clock, b.host, "COM1", r);
}

// ---------------------------------------------------------------------------
// Items, frames, frequency entry, base frequency.
// ---------------------------------------------------------------------------

TEST(TestModeItems, CodesCommandBytesAndDefaults) {
    const auto& items = TestModeItems();
    ASSERT_EQ(items.size(), 4u);
    const struct { int code; Byte cmd; int def; const char* label; } expected[] = {
        {2, 0x71, 91, "TX Frequency"}, {3, 0x72, 38, "Low Power Voltage"},
        {4, 0x73, 160, "Squelch Level"}, {5, 0x74, 47, "TX Power"}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(items[i].code, expected[i].code);
        EXPECT_EQ(items[i].commandByte, expected[i].cmd);
        EXPECT_EQ(items[i].defaultValue, expected[i].def);
        EXPECT_STREQ(items[i].label, expected[i].label);
        EXPECT_EQ(FindTestModeItem(expected[i].code), &items[i]);
    }
    EXPECT_EQ(FindTestModeItem(1), nullptr);
    EXPECT_EQ(FindTestModeItem(6), nullptr);
}

struct FrameCase {
    const char* rx;
    const char* tx;
    int value;
    Bytes expected;
};

class TestModeFrequencyFrameCase : public ::testing::TestWithParam<FrameCase> {};

TEST_P(TestModeFrequencyFrameCase, PackedDecimalLowPairFirst) {
    EXPECT_EQ(Hex(TestModeFrequencyFrame(GetParam().rx, GetParam().tx)), Hex(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, TestModeFrequencyFrameCase,
                         ::testing::Values(FrameCase{"145.12500", "145.12500", 0,
                                                     {0x00, 0x25, 0x51, 0x14, 0x00, 0x25, 0x51, 0x14}},
                                           FrameCase{"136.00000", "174.99375", 0,
                                                     {0x00, 0x00, 0x60, 0x13, 0x75, 0x93, 0x49, 0x17}},
                                           FrameCase{"450", "470.00625", 0,
                                                     {0x00, 0x00, 0x00, 0x45, 0x25, 0x06, 0x00, 0x47}}));

class TestModeParameterFrameCase : public ::testing::TestWithParam<FrameCase> {};

TEST_P(TestModeParameterFrameCase, TonesInTenthsThenFixedBytesThenValue) {
    EXPECT_EQ(Hex(TestModeParameterFrame(GetParam().rx, GetParam().tx, GetParam().value)), Hex(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TestModeParameterFrameCase,
    ::testing::Values(FrameCase{"88.5", "OFF", 160, {0x85, 0x08, 0x00, 0x00, 0xFB, 0x01, 0x01, 0xA0}},
                      FrameCase{"254.1", "D023N", 47, {0x41, 0x25, 0x00, 0x00, 0xFB, 0x01, 0x01, 0x2F}},
                      FrameCase{"D754I", "67.0", 0, {0x00, 0x00, 0x70, 0x06, 0xFB, 0x01, 0x01, 0x00}},
                      FrameCase{"OFF", "100.0", 255, {0x00, 0x00, 0x00, 0x10, 0xFB, 0x01, 0x01, 0xFF}},
                      // Values outside a byte are held to its range.
                      FrameCase{"OFF", "OFF", 300, {0x00, 0x00, 0x00, 0x00, 0xFB, 0x01, 0x01, 0xFF}},
                      FrameCase{"OFF", "OFF", -5, {0x00, 0x00, 0x00, 0x00, 0xFB, 0x01, 0x01, 0x00}}));

struct RoundCase {
    const char* text;
    int base;
    TestStep step;
    std::int64_t expected;
};

class TestModeRounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(TestModeRounding, ClampsToTheSpanElseRoundsToTheStep) {
    const RoundCase& c = GetParam();
    EXPECT_EQ(RoundTestFrequency(c.text, c.base, c.step), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TestModeRounding,
    ::testing::Values(RoundCase{"160", 136, TestStep::KHz500, 15600000}, RoundCase{"100", 136, TestStep::KHz500, 13600000},
                      RoundCase{"156.00001", 136, TestStep::KHz500, 15600000},
                      RoundCase{"135.99999", 136, TestStep::KHz625, 13600000},
                      RoundCase{"", 136, TestStep::KHz500, 13600000},
                      RoundCase{"145.0026", 136, TestStep::KHz500, 14500500},
                      RoundCase{"145.0024", 136, TestStep::KHz500, 14500000},
                      RoundCase{"145.00250", 136, TestStep::KHz500, 14500000},
                      RoundCase{"145.00251", 136, TestStep::KHz500, 14500500},
                      RoundCase{"145.00312", 136, TestStep::KHz625, 14500000},
                      RoundCase{"145.00313", 136, TestStep::KHz625, 14500625},
                      RoundCase{"145.0026", 136, TestStep::KHz625, 14500000},
                      RoundCase{"155.99999", 136, TestStep::KHz625, 15600000},
                      // Digits past 10 Hz are cut before rounding.
                      RoundCase{"145.002509", 136, TestStep::KHz500, 14500000},
                      RoundCase{"470.5", 450, TestStep::KHz500, 47000000},
                      RoundCase{"455.0031", 450, TestStep::KHz625, 45500000}));

TEST(TestModeBase, LeadingNumberOfTheBandTextOr450) {
    const Family field = FamilyWith(MessageLanguage::ByInterface);
    const Family fixed = FamilyWith(MessageLanguage::English, TestModeBase::Fixed450);
    const struct { const char* text; int field; } rows[] = {
        {"136 - 174MHz", 136}, {"  67 - 72MHz", 67}, {"240 - 260MHz", 240}, {"450MHz", 450}, {"", 0}, {"MHz", 0}};
    for (const auto& r : rows) {
        EXPECT_EQ(TestModeBaseMHz(field, r.text), r.field) << r.text;
        EXPECT_EQ(TestModeBaseMHz(fixed, r.text), 450) << r.text;
    }
}

// ---------------------------------------------------------------------------
// The exchange.
// ---------------------------------------------------------------------------

const std::string kAttempt =
    "p700 pb w:02 p1 pb w:50 p1 pb w:52 p1 pb w:4F p1 pb w:47 p1 pb w:52 p1 pb w:41 p1 pb r1:06 "
    "p1 pb w:4D p1 pb w:02 pb r8:10111213FF151617 p1 pb w:06 pb r1:06 ";

TEST(TestModeExchange, SquelchDefaultSendsEveryStepInOrderWithoutPumping) {
    Bench b;
    EXPECT_EQ(Start(b, FamilyWith(MessageLanguage::ByInterface), Lang::English), TestModeOutcome::Completed);
    EXPECT_EQ(Render(b.log), "open cfg10 pb " + kAttempt +
                                 "pb p1 w:78 p1 pb w:73 p1 pb w:7308 pb r1:48 "
                                 "p1 pb w:0025511400255114 pb r1:48 "
                                 "p1 pb w:85080000FB0101A0 pb r1:48 close msg ");
    EXPECT_EQ(b.port.profile.readPerByteMs, 50);
    EXPECT_EQ(b.host.pumps, 0);
    ASSERT_EQ(b.host.messages.size(), 1u);
    EXPECT_EQ(b.host.messages[0].text, "Finish successfully!");
    EXPECT_EQ(b.host.messages[0].buttons, MessageButtons::Ok);
    ASSERT_EQ(b.radio.testFrames.size(), 4u);
    EXPECT_EQ(Hex(b.radio.testFrames[0]), "73");
    EXPECT_EQ(Hex(b.radio.testFrames[1]), "7308");
    EXPECT_EQ(b.radio.testFrames[3].back(), 160);
}

TEST(TestModeExchange, RetryStartsAgainWithThePauseAndAFreshWakeUpOnTheOpenPort) {
    Bench b;
    b.radio.itemAnswerByAttempt = [](int attempt) { return attempt == 1 ? Bytes{0x00} : Bytes{0x48}; };
    b.host.answers = {MessageAnswer::Retry};
    EXPECT_EQ(Start(b, FamilyWith(MessageLanguage::ByInterface), Lang::English), TestModeOutcome::Completed);
    EXPECT_EQ(b.port.opens, 1);
    EXPECT_EQ(b.radio.wakeUps, 2);
    ASSERT_EQ(b.host.messages.size(), 2u);
    EXPECT_EQ(b.host.messages[0].text, " Error had happen ,need try again");
    EXPECT_EQ(b.host.messages[0].buttons, MessageButtons::RetryCancel);
    const std::string log = Render(b.log);
    EXPECT_NE(log.find("w:7308 pb r1:00 msg " + kAttempt), std::string::npos) << log;
}

struct StepFailure {
    const char* name;
    std::function<void(Bench&)> setup;
};

void PrintTo(const StepFailure& c, std::ostream* os) { *os << c.name; }

class TestModeFailure : public ::testing::TestWithParam<StepFailure> {};

TEST_P(TestModeFailure, ErrorBoxThenCancelClosesThePort) {
    const struct { MessageLanguage family; Lang ui; const char* text; } langs[] = {
        {MessageLanguage::ByInterface, Lang::English, " Error had happen ,need try again"},
        {MessageLanguage::ByInterface, Lang::Chinese, " 错误需延时再试"},
        {MessageLanguage::Chinese, Lang::English, " 错误需延时再试"},
        {MessageLanguage::English, Lang::Chinese, " Error had happen ,need try again"}};
    for (const auto& l : langs) {
        Bench b;
        GetParam().setup(b);
        EXPECT_EQ(Start(b, FamilyWith(l.family), l.ui), TestModeOutcome::Cancelled);
        ASSERT_EQ(b.host.messages.size(), 1u);
        EXPECT_EQ(b.host.messages[0].text, l.text);
        EXPECT_FALSE(b.port.isOpen());
        EXPECT_EQ(b.port.closes, 1);
        EXPECT_EQ(b.log.events.back().kind, Ev::Close);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, TestModeFailure,
    ::testing::Values(
        StepFailure{"SilentWakeUp", [](Bench& b) { b.radio.wakeAnswer = [](int) { return Bytes{}; }; }},
        StepFailure{"WrongWakeUpTwice", [](Bench& b) { b.radio.wakeAnswer = [](int) { return Bytes{0x15, 0x15}; }; }},
        StepFailure{"FirstWakeReadFails", [](Bench& b) { b.port.readFails = [](int i) { return i == 0; }; }},
        StepFailure{"IdentificationReadFails", [](Bench& b) { b.port.readFails = [](int i) { return i == 1; }; }},
        StepFailure{"WrongAcknowledgement", [](Bench& b) { b.radio.firstAckAnswer = {0x15}; }},
        StepFailure{"WrongItemAnswer", [](Bench& b) { b.radio.itemAnswer = {0x06}; }},
        StepFailure{"NoFrequencyAnswer", [](Bench& b) { b.radio.frequencyAnswer = {}; }},
        StepFailure{"WrongParameterAnswer", [](Bench& b) { b.radio.parameterAnswer = {0x47}; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TestModeExchange, AcknowledgementAsSecondWakeUpByteIsAccepted) {
    Bench b;
    b.radio.wakeAnswer = [](int) { return Bytes{0x00, 0x06}; };
    EXPECT_EQ(Start(b, FamilyWith(MessageLanguage::English), Lang::English), TestModeOutcome::Completed);
    EXPECT_EQ(b.radio.wakeUps, 1);
}

TEST(TestModeExchange, SuccessMessageFollowsTheFamilysLanguage) {
    const struct { MessageLanguage family; Lang ui; const char* text; } rows[] = {
        {MessageLanguage::ByInterface, Lang::Chinese, "对讲机已收到!"},
        {MessageLanguage::Chinese, Lang::English, "对讲机已收到!"},
        {MessageLanguage::English, Lang::Chinese, "Finish successfully!"}};
    for (const auto& r : rows) {
        Bench b;
        Start(b, FamilyWith(r.family), r.ui);
        EXPECT_EQ(b.host.messages.at(0).text, r.text);
    }
}

TEST(TestModeExchange, OpenFailureShowsTheMessageAndSendsNothing) {
    Bench b;
    b.port.openFails = true;
    b.port.failure = {OpenFailureKind::NoPermission, "COM2", "/dev/ttyS1", "Permission denied", "dialout"};
    EXPECT_EQ(Start(b, FamilyWith(MessageLanguage::Chinese), Lang::English), TestModeOutcome::OpenFailed);
    // The Chinese program explains the failure in Chinese too.
    EXPECT_EQ(b.host.messages.at(0).text,
              "无法打开串口，请检查该设备是否正常，或是否被占用\n无法打开设备 /dev/ttyS1（COM2）：没有使用该设备的权限。"
              "该设备属于用户组“dialout”：请把您的用户加入“dialout”组，然后重新登录。");
    EXPECT_EQ(Render(b.log), "open msg ");
}

TEST(TestModeExchange, UnknownItemIsRefusedBeforeThePortOpens) {
    Bench b;
    TestModeRequest r = SquelchRequest();
    r.itemCode = 7;
    EXPECT_THROW(Start(b, FamilyWith(MessageLanguage::English), Lang::English, r), std::invalid_argument);
    EXPECT_EQ(b.port.opens, 0);
}

}  // namespace
}  // namespace vel
