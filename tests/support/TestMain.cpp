// Entry point of every test executable. A test that needs a second process of its own
// (for example to crash on purpose) re-runs this executable with a child switch; such
// switches are handled by ChildModes before GoogleTest sees the command line.
#include "tests/support/ChildModes.h"

#include <gtest/gtest.h>
#include <objbase.h>

int wmain(int argc, wchar_t** argv) {
    if (int code = 0; RunChildModeIfRequested(argc, argv, code))
        return code;
    // As the program's start-up does; the accessibility tests need it too.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
