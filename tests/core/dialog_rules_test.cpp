// Rules the signalling dialogs carry out without widgets: the integer boxes,
// the encode table's commit-and-move rules and the channel up-down.

#include <gtest/gtest.h>

#include "signalling/channel_signalling.h"
#include "signalling/integer_field.h"
#include "signalling/two_tone.h"

namespace vel {
namespace {

struct IntegerCase {
    const char* text;
    int lo, hi;
    IntegerFieldStatus status;
    int value;
};
class IntegerBox : public ::testing::TestWithParam<IntegerCase> {};
TEST_P(IntegerBox, ReadsAsTheDialogTransferDoes) {
    const IntegerField f = ReadIntegerField(GetParam().text, GetParam().lo, GetParam().hi);
    EXPECT_EQ(f.status, GetParam().status) << GetParam().text;
    if (f.status == IntegerFieldStatus::Ok) {
        EXPECT_EQ(f.value, GetParam().value);
    }
}
INSTANTIATE_TEST_SUITE_P(
    Texts, IntegerBox,
    ::testing::Values(IntegerCase{"1500", 0, 2000, IntegerFieldStatus::Ok, 1500},
                      IntegerCase{" 0 ", 0, 2000, IntegerFieldStatus::Ok, 0},
                      IntegerCase{"2000", 0, 2000, IntegerFieldStatus::Ok, 2000},
                      IntegerCase{"2001", 0, 2000, IntegerFieldStatus::OutOfRange, 0},
                      IntegerCase{"-1", 0, 2000, IntegerFieldStatus::OutOfRange, 0},
                      IntegerCase{"+128", 1, 128, IntegerFieldStatus::Ok, 128},
                      IntegerCase{"99", 100, 1000, IntegerFieldStatus::OutOfRange, 0},
                      IntegerCase{"99999999999999", 100, 1000, IntegerFieldStatus::OutOfRange, 0},
                      IntegerCase{"", 1, 128, IntegerFieldStatus::NotInteger, 0},
                      IntegerCase{"  ", 1, 128, IntegerFieldStatus::NotInteger, 0},
                      IntegerCase{"-", 1, 128, IntegerFieldStatus::NotInteger, 0},
                      IntegerCase{"12a", 1, 128, IntegerFieldStatus::NotInteger, 0},
                      IntegerCase{"1 2", 1, 128, IntegerFieldStatus::NotInteger, 0},
                      IntegerCase{"1.5", 1, 128, IntegerFieldStatus::NotInteger, 0}));

// A table with some entries filled: entry r's texts at [r - 1].
EncodeTones Table(std::initializer_list<std::tuple<int, const char*, const char*>> filled) {
    EncodeTones t;
    for (const auto& [row, a, b] : filled) t[static_cast<std::size_t>(row - 1)] = {a, b};
    return t;
}

struct CommitCase {
    const char* name;
    int row, col;
    const char* tone1;   // entry before the commit
    const char* tone2;
    const char* typed;
    EncodeCommitKey key;
    const char* tone1After;
    const char* tone2After;
    int rowAfter, colAfter;
    bool reopen;
};
class EncodeCommit : public ::testing::TestWithParam<CommitCase> {};
TEST_P(EncodeCommit, StoresTheCellAndMovesOn) {
    const CommitCase& c = GetParam();
    EncodeTones tones = Table({{c.row, c.tone1, c.tone2}, {c.row == 1 ? 2 : 1, "500.0", "600.0"}});
    const EncodeTones before = tones;
    const EncodeCellMove move = CommitEncodeCell(tones, c.row, c.col, c.typed, c.key);
    const auto& entry = tones[static_cast<std::size_t>(c.row - 1)];
    EXPECT_EQ(entry[0], c.tone1After);
    EXPECT_EQ(entry[1], c.tone2After);
    EXPECT_EQ(move.row, c.rowAfter);
    EXPECT_EQ(move.col, c.colAfter);
    EXPECT_EQ(move.reopen, c.reopen);
    for (int r = 1; r <= kEncodeEntryCount; ++r) {
        if (r != c.row) {
            EXPECT_EQ(tones[static_cast<std::size_t>(r - 1)], before[static_cast<std::size_t>(r - 1)]) << r;
        }
    }
}
using K = EncodeCommitKey;
INSTANTIATE_TEST_SUITE_P(
    Cases, EncodeCommit,
    ::testing::Values(
        CommitCase{"Tone1FillsEmptyTone2", 1, 1, "", "", "1000", K::Enter, "1000.0", "1000.0", 1, 2, true},
        CommitCase{"Tone1KeepsFilledTone2", 3, 1, "", "700.0", "1000", K::Enter, "1000.0", "700.0", 3, 2, true},
        CommitCase{"Tone1OnLeaveMovesToTone2Too", 20, 1, "", "", "50", K::LeaveCell, "288.5", "288.5", 20, 2, true},
        CommitCase{"Tone1HeldAtTop", 4, 1, "", "", "5000", K::Enter, "3106.0", "3106.0", 4, 2, true},
        CommitCase{"EmptyTone1StaysEmpty", 5, 1, "", "", "", K::Enter, "", "", 5, 2, true},
        CommitCase{"Tone2EnterGoesToNextEntry", 1, 2, "1000.0", "1000.0", "1200", K::Enter, "1000.0", "1200.0", 2, 1, true},
        CommitCase{"Tone2EnterWithoutTone1IsCleared", 6, 2, "", "", "900", K::Enter, "", "", 6, 1, true},
        CommitCase{"Tone2EnterEmptyWithoutTone1MovesOn", 6, 2, "", "", "", K::Enter, "", "", 7, 1, true},
        CommitCase{"Tone2EnterOnLastEntryStays", 32, 2, "400.0", "", "450", K::Enter, "400.0", "450.0", 32, 2, true},
        CommitCase{"Tone2LeaveOnEntry15MovesOn", 15, 2, "400.0", "", "450", K::LeaveCell, "400.0", "450.0", 16, 1, true},
        CommitCase{"Tone2LeaveOnEntry16StaysClosed", 16, 2, "400.0", "", "450", K::LeaveCell, "400.0", "450.0", 16, 2, false},
        CommitCase{"Tone2LeaveWithoutTone1IsCleared", 2, 2, "", "", "450", K::LeaveCell, "", "", 3, 1, true},
        CommitCase{"Tone2LeaveWithoutTone1OnEntry30", 30, 2, "", "", "450", K::LeaveCell, "", "", 30, 2, false}),
    [](const ::testing::TestParamInfo<CommitCase>& info) { return std::string(info.param.name); });

struct ChannelStepCase {
    int channel, step, result;
};
class ChannelUpDown : public ::testing::TestWithParam<ChannelStepCase> {};
TEST_P(ChannelUpDown, WrapsAtBothEnds) {
    EXPECT_EQ(StepChannel(GetParam().channel, GetParam().step), GetParam().result);
}
INSTANTIATE_TEST_SUITE_P(Steps, ChannelUpDown,
                         ::testing::Values(ChannelStepCase{128, 1, 1}, ChannelStepCase{1, -1, 128},
                                           ChannelStepCase{5, 1, 6}, ChannelStepCase{5, -1, 4}));

}  // namespace
}  // namespace vel
