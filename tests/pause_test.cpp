#include "ui/pause.h"

#include <gtest/gtest.h>

namespace {

// A counter that moves on by `step` each time it is read.
struct FakeTicks {
  std::uint32_t now;
  std::uint32_t step;
  std::uint32_t operator()() {
    const std::uint32_t t = now;
    now += step;
    return t;
  }
};

TEST(PauseFor, LastsMoreThanItsArgumentAtAnyUptime) {
  const std::uint32_t starts[] = {0u, 1000u, 0x7FFFFC17u /* 1000 below 2^31 */, 0x7FFFFFFFu,
                                  0x80000000u, 0xFFFFFF00u /* spans the wrap */, 0xFFFFFFFFu};
  for (std::uint32_t start : starts) {
    FakeTicks ticks{start, 7};
    int pumps = 0;
    PauseFor(1000, std::ref(ticks), [&] { ++pumps; });
    const std::uint32_t lastRead = ticks.now - ticks.step;
    EXPECT_GT(static_cast<std::uint32_t>(lastRead - start), 1000u) << "start " << start;
    EXPECT_LE(static_cast<std::uint32_t>(lastRead - start), 1007u) << "start " << start;
    EXPECT_GE(pumps, 142) << "start " << start;  // messages handled all along
  }
}

TEST(PauseFor, PumpsAtLeastOnceEvenWhenTheTimeHasPassed) {
  FakeTicks ticks{500, 5000};
  int pumps = 0;
  PauseFor(1000, std::ref(ticks), [&] { ++pumps; });
  EXPECT_EQ(pumps, 1);
  PauseFor(-1, [] { return 0u; }, [&] { ++pumps; });  // a stopped counter cannot hold it
  EXPECT_EQ(pumps, 2);
}

TEST(PauseFor, AZeroPauseWaitsForTheCounterToMove) {
  std::uint32_t reads = 0;
  int pumps = 0;
  // The start and two checks read 100; the third check reads 101.
  PauseFor(0, [&] { return reads++ < 3 ? 100u : 101u; }, [&] { ++pumps; });
  EXPECT_EQ(pumps, 3);
}

}  // namespace
