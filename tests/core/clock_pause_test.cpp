// A pause with work in it: the work runs at the pause's start, and the pause
// still lasts at least as long as asked (the radio counts on every pause).

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "link/serial_port.h"
#include "link/simulated_serial_port.h"

namespace vel {
namespace {

struct PauseCase {
    const char* name;
    int pauseMs;
    int workMs;   // how long the work keeps the thread
};

class PauseDoing : public ::testing::TestWithParam<PauseCase> {};

TEST_P(PauseDoing, RunsTheWorkAndNeverEndsBeforeThePauseOrTheWork) {
    const PauseCase c = GetParam();
    using namespace std::chrono;
    int runs = 0;
    steady_clock::time_point workedAt;
    const auto begin = steady_clock::now();
    SystemClock().sleepMsDoing(c.pauseMs, [&] {
        ++runs;
        workedAt = steady_clock::now();
        std::this_thread::sleep_for(milliseconds(c.workMs));
    });
    const auto end = steady_clock::now();
    EXPECT_EQ(runs, 1);
    EXPECT_LE(workedAt - begin, end - workedAt) << "the work runs at the start of the pause";
    EXPECT_GE(end - begin, milliseconds(std::max(c.pauseMs, c.workMs)));
}

INSTANTIATE_TEST_SUITE_P(Pauses, PauseDoing,
                         ::testing::Values(PauseCase{"WorkWithinThePause", 5, 2}, PauseCase{"NoWork", 3, 0},
                                           PauseCase{"WorkLongerThanThePause", 1, 4}, PauseCase{"NoPause", 0, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PauseDoing, AVirtualClockCountsThePauseAlone) {
    VirtualClock clock;
    int runs = 0;
    clock.sleepMsDoing(15, [&] { ++runs; });
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(clock.nowMs(), 15);
    EXPECT_EQ(clock.sleeps(), std::vector<int>{15});
}

}  // namespace
}  // namespace vel
