// The scripted walk through the whole program while the simulator answers every read with
// seeded random records (counts beyond the room given, repeated and zero ids, strings of
// any length with or without terminator, any flags). Each step of a walk runs under a seed
// of its own, so 200 seeds take a dozen walks; for every one the step completes, the
// window stays and has a current page, and after the fuzz the panel works on real data.
#include "tests/support/PanelWalk.h"

#include <cstdio>

class DriverDataFuzz : public PanelWalkTest {};

TEST_F(DriverDataFuzz, RandomRecordsNeverBreakTheWalk) {
    constexpr std::uint32_t kSeeds = 200;
    std::uint32_t seed = 0;
    size_t walks = 0;
    while (seed < kSeeds) {
        Simulator().Reset();
        PrepareWorld();
        ++walks;
        for (WalkStep& step : Steps()) {
            SCOPED_TRACE("seed " + std::to_string(++seed) + ", " + Narrow(step.name));
            ASSERT_EQ(Simulator().SetFuzz(true, seed), 0u);
            step.run();
            ASSERT_TRUE(window && IsWindow(Hwnd())) << "the window is gone";
            ASSERT_NE(SendMessageW(Hwnd(), PSM_GETCURRENTPAGEHWND, 0, 0), 0) << "no current page";
            ClearCalls();
        }
        Simulator().SetFuzz(false, 0);
        window.reset();
        Settle();
    }
    // After the fuzz the same program shows the real devices again.
    Simulator().Reset();
    PrepareWorld();
    Steps().front().run();
    EXPECT_NE(window->OpenedDevice(), 0u);
    std::printf("driver-data fuzz: %u seeds over %zu walks, %zu error boxes shown\n", seed, walks,
                ErrorBoxes().size());
}
