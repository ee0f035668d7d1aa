// The protocol's floor per family and direction, and the progress estimate
// built on it.

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "link/session_floor.h"

namespace vel {
namespace {

struct FloorCase {
    FamilyId id;
    Direction direction;
    double seconds;   // handshake plus every block, to the millisecond
};

class Floor : public ::testing::TestWithParam<FloorCase> {};

TEST_P(Floor, IsThePausesPlusTheLineTimeOfEveryByte) {
    const FloorCase c = GetParam();
    EXPECT_NEAR(ProtocolFloor(GetFamily(c.id), c.direction).seconds(), c.seconds, 0.0005);
}

// Read block: 15 ms + the family's pause, 18 bytes; write block: 2 ms, 13
// bytes; handshake: 16 ms, 20 bytes.
INSTANTIATE_TEST_SUITE_P(
    Families, Floor,
    ::testing::Values(FloorCase{FamilyId::Velmar_V, Direction::Read, 19.722}, FloorCase{FamilyId::Velmar_V, Direction::Write, 7.932},
                      FloorCase{FamilyId::VM_CH128, Direction::Read, 15.304}, FloorCase{FamilyId::VM_CH128, Direction::Write, 6.160},
                      FloorCase{FamilyId::VM_CH118, Direction::Read, 9.957}, FloorCase{FamilyId::VM_CH118, Direction::Write, 3.953},
                      FloorCase{FamilyId::Marlowe, Direction::Read, 6.917}, FloorCase{FamilyId::Marlowe, Direction::Write, 1.948},
                      FloorCase{FamilyId::VM_CH16_CN, Direction::Read, 6.917}));

struct EstimateCase {
    const char* name;
    FamilyId id;
    std::vector<Direction> phases;
    std::vector<std::pair<int, double>> blocks;   // blocks done, at seconds
    int percent;
    double secondsLeft;
};

void PrintTo(const EstimateCase& c, std::ostream* os) { *os << c.name; }

constexpr double kHandshake = 0.016 + 20 / 960.0;
constexpr double kMarloweRead = kHandshake + 128 * 0.05375;
constexpr double kMarloweWrite = kHandshake + 123 * (0.002 + 13 / 960.0);

class Estimate : public ::testing::TestWithParam<EstimateCase> {};

TEST_P(Estimate, IsTheFloorLeftAtTheSessionsPace) {
    const EstimateCase c = GetParam();
    ProgressEstimate e(GetFamily(c.id), c.phases);
    for (const auto& [done, at] : c.blocks) e.blocksDone(done, at);
    EXPECT_EQ(e.percent(), c.percent);
    EXPECT_NEAR(e.secondsLeft(), c.secondsLeft, 0.001);
}

// A Velmar_V read block's floor is 38.75 ms, a write block's 15.54 ms.
INSTANTIATE_TEST_SUITE_P(
    Cases, Estimate,
    ::testing::Values(EstimateCase{"before the first block: the whole floor", FamilyId::Velmar_V, {Direction::Read}, {}, 0, 19.722},
                      EstimateCase{"first block: floor pace", FamilyId::Velmar_V, {Direction::Read}, {{1, 3.0}}, 0, 507 * 0.0387500},
                      EstimateCase{"half at floor pace", FamilyId::Velmar_V, {Direction::Read}, {{1, 3.0}, {254, 3.0 + 253 * 0.03875}}, 50, 254 * 0.03875},
                      EstimateCase{"twice as slow", FamilyId::Velmar_V, {Direction::Read}, {{1, 0.0}, {101, 100 * 0.0775}}, 19, 407 * 0.0775},
                      EstimateCase{"faster than the floor counts as the floor", FamilyId::Velmar_V, {Direction::Write}, {{1, 0.0}, {11, 0.1}}, 2, 497 * (0.002 + 13 / 960.0)},
                      EstimateCase{"last block", FamilyId::Marlowe, {Direction::Write}, {{1, 0.0}, {123, 2.0}}, 100, 0.0},
                      // A Marlowe write with backup and check: 128 + 123 + 128 blocks; a
                      // read's floor is 6.917 s, a write block's 15.54 ms.
                      EstimateCase{"backup under way", FamilyId::Marlowe, {Direction::Read, Direction::Write, Direction::Read}, {{1, 0.0}, {64, 63 * 0.05375}}, 16, 64 * 0.05375 + kMarloweWrite + kMarloweRead},
                      EstimateCase{"write begun", FamilyId::Marlowe, {Direction::Read, Direction::Write, Direction::Read}, {{1, 0.0}, {128, 127 * 0.05375}, {1, 7.0}}, 34, 122 * (0.002 + 13 / 960.0) + kMarloweRead},
                      EstimateCase{"one short of the end", FamilyId::Marlowe, {Direction::Read}, {{1, 0.0}, {127, 7.0}}, 99, 0.05375 * (7.0 / (126 * 0.05375))}),
    [](const auto& info) {
        std::string name;
        for (const char* p = info.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

}  // namespace
}  // namespace vel
