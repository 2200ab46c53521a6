// The soak loop of the benchmark, short: after removals and arrivals of the open device,
// bursts of notifications, volume dialogs and tab changes, the windows and bitmaps are
// back to their count, the live heap blocks have not grown, and every notification code
// reached the pages.
#include "bench/SoakLoop.h"
#include "tests/support/MainWindowFixture.h"

namespace {

class Soak : public MainWindowTest {};

TEST_F(Soak, WindowsBitmapsAndHeapComeBackAndEveryNotificationCodeReachesThePages) {
    ASSERT_EQ(Simulator().LoadScenarioText(kSoakScenario).status, 0u);
    auto owned = std::make_unique<SoakWindow>(TheKorvelineApiDll(), settings);
    SoakWindow& soak = *owned;
    window = std::move(owned);
    ASSERT_NE(soak.Create(), nullptr);
    ShowWindow(soak.Hwnd(), SW_SHOW);
    Pump();
    ASSERT_NE(soak.OpenedDevice(), 0u);

    SoakCounts counts;
    counts.plugCycles = 15;
    counts.bursts = 10;
    counts.burstSize = 100;
    counts.volumeOpenings = 10;
    counts.tabChanges = 40;
    const SoakResult result = RunSoak(soak, Simulator(), counts);

    EXPECT_EQ(result.plugCyclesDone, counts.plugCycles);
    EXPECT_EQ(result.volumeDialogsOpened, counts.volumeOpenings);
    EXPECT_EQ(result.end.windows, result.start.windows);
    EXPECT_EQ(result.end.bitmaps, result.start.bitmaps);
    // Transient blocks (a notification queue, a dialog's strips) come and go by tens of kB;
    // a leak of a page set or a dialog per cycle would be hundreds.
    EXPECT_LT(result.end.heapBytesInUse, result.start.heapBytesInUse + 128 * 1024);
    EXPECT_EQ(result.codesReached, result.codesSent);
    EXPECT_EQ(result.codesSent.size(), 9u);
    EXPECT_NE(soak.OpenedDevice(), 0u);
    EXPECT_TRUE(ErrorBoxes().empty());
}

} // namespace
