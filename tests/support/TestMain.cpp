// Entry point of every test executable. A test that needs a second process of its own
// (for example to crash on purpose) re-runs this executable with a child switch; such
// switches are handled by ChildModes before GoogleTest sees the command line.
#include "tests/support/ChildModes.h"

#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
    if (int code = 0; RunChildModeIfRequested(argc, argv, code))
        return code;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
