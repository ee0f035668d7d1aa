#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

#include "image/encodings.h"
#include "testmode/test_mode_state.h"

namespace vel {
namespace {

TEST(TestModeToneList, QtListsOffAndTheCtcssTones) {
    const auto& qt = TestModeToneList(ToneKind::QT);
    ASSERT_EQ(qt.size(), 51u);
    EXPECT_EQ(qt.front(), "OFF");
    EXPECT_EQ(qt[1], "67.0");
    EXPECT_EQ(qt.back(), "254.1");
    for (std::size_t i = 1; i < qt.size(); ++i) EXPECT_GT(ToneTenths(qt[i]), 0) << qt[i];
}

TEST(TestModeToneList, DqtListsOffAndEveryDigitalCode) {
    const auto& dqt = TestModeToneList(ToneKind::DQT);
    ASSERT_EQ(dqt.size(), 211u);
    EXPECT_EQ(dqt.front(), "OFF");
    EXPECT_EQ(dqt[1], ToneTable()[51]);
    EXPECT_EQ(dqt.back(), ToneTable()[260]);
    for (std::size_t i = 1; i < dqt.size(); ++i) {
        EXPECT_NE(dqt[i].find('D'), std::string::npos) << dqt[i];
        EXPECT_EQ(ToneTenths(dqt[i]), 0) << dqt[i];
    }
}

struct OpeningCase {
    int base;
    int code;
    const char* shown;
};

void PrintTo(const OpeningCase& c, std::ostream* os) { *os << c.base << "/" << c.code; }

class TestModeOpening : public ::testing::TestWithParam<OpeningCase> {};

TEST_P(TestModeOpening, FrequenciesAreFPlusTwentyTenAndZero) {
    const OpeningCase c = GetParam();
    const TestModeState s(c.base);
    const DebugFrequency& f = s.frequency(c.code);
    EXPECT_EQ(TestFrequencyText(f.rxUnits), c.shown);
    EXPECT_EQ(TestFrequencyText(f.txUnits), c.shown);
    EXPECT_EQ(f.rxToneIndex, 0);
    EXPECT_EQ(f.txToneIndex, 0);
    EXPECT_EQ(f.rxStep, TestStep::KHz500);
    EXPECT_EQ(f.txStep, TestStep::KHz500);
    EXPECT_EQ(f.rxKind, ToneKind::QT);
    EXPECT_EQ(f.txKind, ToneKind::QT);
}

INSTANTIATE_TEST_SUITE_P(Bases, TestModeOpening,
                         ::testing::Values(OpeningCase{136, kDebugHigh, "156.00000"},
                                           OpeningCase{136, kDebugMiddle, "146.00000"},
                                           OpeningCase{136, kDebugLow, "136.00000"},
                                           OpeningCase{67, kDebugLow, "67.00000"},
                                           OpeningCase{450, kDebugHigh, "470.00000"}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(TestModeState, ItemValuesStartAtZeroAndDefaultsAreTheItemTable) {
    TestModeState s(136);
    const int defaults[] = {91, 38, 160, 47};
    for (int code = 2; code <= 5; ++code) {
        EXPECT_EQ(s.itemValue(code), 0);
        s.resetItem(code);
        EXPECT_EQ(s.itemValue(code), defaults[code - 2]);
    }
    s.setItemValue(3, 300);
    EXPECT_EQ(s.itemValue(3), 255);
    s.setItemValue(3, -4);
    EXPECT_EQ(s.itemValue(3), 0);
    EXPECT_THROW(s.itemValue(1), std::out_of_range);
    EXPECT_THROW(s.frequency(5), std::out_of_range);
}

struct EntryCase {
    bool transmit;
    TestStep rxStep;
    TestStep txStep;
    const char* typed;
    const char* stored;
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << (c.transmit ? "tx " : "rx ") << c.typed; }

class TestModeEntry : public ::testing::TestWithParam<EntryCase> {};

// Each group rounds to its own step; only the entered group changes.
TEST_P(TestModeEntry, RoundsToTheGroupsStepAndStoresIt) {
    const EntryCase c = GetParam();
    TestModeState s(136);
    s.setStep(kDebugMiddle, false, c.rxStep);
    s.setStep(kDebugMiddle, true, c.txStep);
    const DebugFrequency before = s.frequency(kDebugMiddle);
    const std::int64_t units = s.enterFrequency(kDebugMiddle, c.transmit, c.typed);
    EXPECT_EQ(TestFrequencyText(units), c.stored);
    DebugFrequency expected = before;
    (c.transmit ? expected.txUnits : expected.rxUnits) = units;
    EXPECT_EQ(s.frequency(kDebugMiddle), expected);
    EXPECT_EQ(s.frequency(kDebugHigh), s.openingFrequency(kDebugHigh));
    EXPECT_EQ(s.frequency(kDebugLow), s.openingFrequency(kDebugLow));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, TestModeEntry,
    ::testing::Values(EntryCase{false, TestStep::KHz500, TestStep::KHz625, "145.004", "145.00500"},
                      EntryCase{true, TestStep::KHz500, TestStep::KHz625, "145.004", "145.00625"},
                      EntryCase{true, TestStep::KHz500, TestStep::KHz625, "145.00312", "145.00000"},
                      EntryCase{false, TestStep::KHz625, TestStep::KHz500, "145.00313", "145.00625"},
                      EntryCase{true, TestStep::KHz625, TestStep::KHz500, "145.00313", "145.00500"},
                      EntryCase{false, TestStep::KHz500, TestStep::KHz500, "160", "156.00000"},
                      EntryCase{true, TestStep::KHz500, TestStep::KHz500, "100", "136.00000"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(TestModeState, ToneKindChangeResetsTheIndexOnlyWhenTheKindChanges) {
    TestModeState s(136);
    s.setToneIndex(kDebugLow, false, 12);
    s.setToneKind(kDebugLow, false, ToneKind::QT);
    EXPECT_EQ(s.frequency(kDebugLow).rxToneIndex, 12);
    s.setToneKind(kDebugLow, false, ToneKind::DQT);
    EXPECT_EQ(s.frequency(kDebugLow).rxToneIndex, 0);
    EXPECT_EQ(s.frequency(kDebugLow).rxKind, ToneKind::DQT);
    s.setToneIndex(kDebugLow, false, 5000);
    EXPECT_EQ(s.frequency(kDebugLow).rxToneIndex, 210);
    EXPECT_EQ(s.frequency(kDebugLow).txKind, ToneKind::QT);
}

TEST(TestModeState, ResetFrequencyRestoresOnlyThatDebugFrequency) {
    TestModeState s(240);
    for (int code : {kDebugHigh, kDebugLow}) {
        s.enterFrequency(code, false, "245.5");
        s.setStep(code, true, TestStep::KHz625);
        s.setToneKind(code, true, ToneKind::DQT);
        s.setToneIndex(code, true, 3);
    }
    s.resetFrequency(kDebugHigh);
    EXPECT_EQ(s.frequency(kDebugHigh), s.openingFrequency(kDebugHigh));
    EXPECT_NE(s.frequency(kDebugLow), s.openingFrequency(kDebugLow));
}

TEST(TestModeState, RequestCarriesTheChosenDebugFrequencyAndItem) {
    TestModeState s(136);
    s.enterFrequency(kDebugMiddle, false, "145.125");
    s.enterFrequency(kDebugMiddle, true, "146.5");
    s.setToneIndex(kDebugMiddle, false, ToneIndex("88.5"));
    s.setToneKind(kDebugMiddle, true, ToneKind::DQT);
    s.setToneIndex(kDebugMiddle, true, 1);
    s.resetItem(4);

    const TestModeRequest r = s.request(4, kDebugMiddle);
    EXPECT_EQ(r.itemCode, 4);
    EXPECT_EQ(r.value, 160);
    EXPECT_EQ(r.rxFrequencyText, "145.12500");
    EXPECT_EQ(r.txFrequencyText, "146.50000");
    EXPECT_EQ(r.rxToneText, "88.5");
    EXPECT_EQ(r.txToneText, ToneTable()[51]);
    EXPECT_EQ(TestModeParameterFrame(r.rxToneText, r.txToneText, r.value),
              (std::vector<Byte>{0x85, 0x08, 0x00, 0x00, 0xFB, 0x01, 0x01, 160}));
    EXPECT_EQ(TestModeFrequencyFrame(r.rxFrequencyText, r.txFrequencyText),
              (std::vector<Byte>{0x00, 0x25, 0x51, 0x14, 0x00, 0x00, 0x65, 0x14}));

    const TestModeRequest high = s.request(2, kDebugHigh);
    EXPECT_EQ(high.rxFrequencyText, "156.00000");
    EXPECT_EQ(high.rxToneText, "OFF");
    EXPECT_EQ(high.value, 0);
}

TEST(TestModeTexts, TitlesPerFamily) {
    EXPECT_EQ(TestModeDialogTitle(FamilyId::Velmar_V), "Debug Mode for Velmar");
    EXPECT_EQ(TestModeDialogTitle(FamilyId::VM_CH128), "Debug Mode for Velmar");
    EXPECT_EQ(TestModeDialogTitle(FamilyId::VM_CH118), "Debug Mode for  Velmar");
    EXPECT_EQ(TestModeDialogTitle(FamilyId::Marlowe), "Debug Mode for  Velmar Radio");
    EXPECT_EQ(TestModeDialogTitle(FamilyId::VM_CH16), "Debug Mode for  Velmar Radio");
    EXPECT_EQ(TestModeDialogTitle(FamilyId::VM_CH16_CN), "Dialog");
    EXPECT_EQ(DebugFrequencyCaption(kDebugLow), "Low frequency");
    EXPECT_EQ(TestModeDialogLabels(Lang::Chinese).defaultButton, "还原默认值");
    EXPECT_EQ(TestModeDialogLabels(Lang::English).step625, "6.25KHZ");
}

}  // namespace
}  // namespace vel
