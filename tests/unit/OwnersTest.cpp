#include "driver/UniqueDevice.h"
#include "framework/ScopedFlag.h"
#include "framework/UniqueAny.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Records each freed value with the owner's tag, so a move that loses its freer shows.
std::vector<std::pair<int, int>> g_freed;
struct TaggedFree {
    int tag = 0;
    void operator()(int value) const { g_freed.emplace_back(tag, value); }
};
struct NoneIsMinusOne {
    static constexpr int Value() { return -1; }
};
using Owner = UniqueAny<int, TaggedFree, NoneIsMinusOne>;

std::vector<DeviceHandle> g_closed;
StatusCode KORVELINE_CALL RecordClose(DeviceHandle device) {
    g_closed.push_back(device);
    return 0;
}

TEST(Owners, FreeEachValueOnceWithTheFreerItCameWith) {
    g_freed.clear();
    {
        Owner a(1, TaggedFree{10});
        a.Reset(2);
        Owner b(std::move(a));
        EXPECT_FALSE(a) << "a moved-from owner holds nothing";
        Owner c(7, TaggedFree{30});
        c = std::move(b);
        Owner d(Owner(-1, TaggedFree{40}).Release(), TaggedFree{50});
        EXPECT_FALSE(d) << "the invalid value is never freed";
        Owner e(5, TaggedFree{60});
        EXPECT_EQ(e.Release(), 5);
    }
    EXPECT_EQ(g_freed, (std::vector<std::pair<int, int>>{{10, 1}, {30, 7}, {10, 2}}));
}

TEST(Owners, DeviceClosesThroughTheBindingAndNotWithoutTheEntryPoint) {
    g_closed.clear();
    KorvelineApiDll api;
    api.KORVELINE_CloseDevice = RecordClose;
    {
        UniqueDevice device(api, 7);
        device.Reset(8);
        const UniqueDevice none(api);
    }
    EXPECT_EQ(g_closed, (std::vector<DeviceHandle>{7, 8}));
    api.KORVELINE_CloseDevice = nullptr;
    { const UniqueDevice left(api, 9); }
    EXPECT_EQ(g_closed.size(), 2u);
}

TEST(Owners, ScopedFlagRestoresThePreviousValueWhenNested) {
    bool flag = true;
    {
        const ScopedFlag outer(flag, false);
        {
            const ScopedFlag inner(flag, true);
            EXPECT_TRUE(flag);
        }
        EXPECT_FALSE(flag) << "the inner scope gives back the outer value, not the first one";
    }
    EXPECT_TRUE(flag);
}

} // namespace
