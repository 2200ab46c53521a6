// Token splitting and switch evaluation of the command line.
#include "app/CommandLine.h"
#include "resources/dialogs/PageAbout.h"
#include "resources/dialogs/PageBufferSettings.h"
#include "resources/dialogs/PageClientInfo.h"
#include "resources/dialogs/PageSampleRate.h"
#include "resources/dialogs/PageStatus.h"
#include "resources/dialogs/PageVolumeControl.h"

#include <gtest/gtest.h>

namespace {

using Tokens = std::vector<std::wstring>;

StartRequest Evaluate(std::wstring_view commandLine, bool trayEnabled = true) {
    return EvaluateSwitches(SplitCommandLine(commandLine), trayEnabled);
}

} // namespace

TEST(CommandLineSplit, CutsAtEverySingleSpaceOnly) {
    EXPECT_EQ(SplitCommandLine(L""), Tokens{L""});
    EXPECT_EQ(SplitCommandLine(L"-hide"), Tokens{L"-hide"});
    EXPECT_EQ(SplitCommandLine(L"-asioinst  3"), (Tokens{L"-asioinst", L"", L"3"}));
    EXPECT_EQ(SplitCommandLine(L" a "), (Tokens{L"", L"a", L""}));
    // Quotes and other white space are ordinary characters.
    EXPECT_EQ(SplitCommandLine(L"\"a b\"\tc"), (Tokens{L"\"a", L"b\"\tc"}));
}

// Every switch combination and what it asks for, with the icon enabled unless noted.
TEST(CommandLineSwitches, EachCombinationHasOneOutcome) {
    using enum StartRequest::Kind;
    const StartRequest show{}, hidden{.kind = Hidden}, exitAll{.kind = ExitAll};
    const StartRequest end0{.kind = End}, conflict{.kind = End, .exitCode = 0xEE000041};
    const auto page = [](UINT id, bool multi = false) {
        return StartRequest{.kind = Page, .pageId = id, .multi = multi};
    };
    const auto asio = [](std::intptr_t instance, bool multi = false) {
        return StartRequest{.kind = Page,
                            .pageId = IDD_PAGE_BUFFER_SETTINGS,
                            .asioInstance = instance,
                            .multi = multi};
    };
    struct Case {
        const wchar_t* line;
        StartRequest expected;
        bool trayEnabled = true;
    };
    const Case cases[] = {
        {L"", show},
        {L"unknown words -- here", show},
        {L"-mUlTi", {.multi = true}},
        {L"-HIDE", hidden},
        {L"x y -hide", hidden},
        {L"-hide  -multi", {.kind = Hidden, .multi = true}},
        {L"-Asio", asio(-1)},
        {L"-multi foo -asio", asio(-1, true)},
        // Whole tokens only; only ASCII letters fold (a dotted capital I is no i).
        {L"--hide -hide=1 hide -hid \"-hide\" -hide\t -asio3 /multi --page -pages", show},
        {L"-H\u0130DE", show},
        // Without the icon "-hide" ends the start before any conflict is looked at.
        {L"-hide", end0, false},
        {L"-asio -hide", end0, false},
        {L"-hide -asioinst 2", end0, false},
        {L"-page About -hide", end0, false},
        {L"-asio", asio(-1), false},
        {L"-hide -asio", conflict},
        {L"-asio -hide", conflict},
        {L"-hide -asioinst 1", conflict},
        {L"-asioinst 1 -HIDE", conflict},
        {L"-asio -asioinst 2", conflict},
        {L"-asioinst -asio", conflict},
        {L"-asioinst -hide -multi", conflict},
        {L"-page About -asio", conflict},
        {L"-asioinst 2 -page About", conflict},
        {L"-page About -hide", conflict},
        {L"-page", conflict},
        {L"-page  About", conflict}, // the name is the empty token
        {L"-page Nowhere", conflict},
        {L"-page -multi", conflict},
        {L"-exitall", exitAll},
        {L"-multi -exitall", exitAll},
        {L"-hide -asio -exitall", exitAll},
        {L"-exitall -hide", exitAll, false},
        {L"-page -exitall", exitAll},
        {L"-asioinst 3", asio(3)},
        {L"-multi -ASIOINST 0", asio(0, true)},
        {L"-asioinst", asio(-1)},
        {L"-asioinst 4 -multi", asio(4, true)},
        {L"-asioinst  3", asio(-1)}, // the token after the switch is empty
        {L"-asioinst 5 -asioinst 6", asio(5)},
        {L"-asioinst -multi", asio(-1, true)},
        {L"-page SampleRate", page(IDD_PAGE_SAMPLE_RATE)},
        {L"-page pageclientinfo", page(IDD_PAGE_CLIENT_INFO)},
        {L"-PAGE About -multi", page(IDD_PAGE_ABOUT, true)},
        {L"-page status", page(IDD_PAGE_STATUS)},
        {L"-page PAGEVOLUMECONTROL -page Info", page(IDD_PAGE_VOLUME)},
        {L"-page BufferSettings", page(IDD_PAGE_BUFFER_SETTINGS)},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Evaluate(c.line, c.trayEnabled) == c.expected)
            << testing::PrintToString(std::wstring(c.line)) << ", icon " << c.trayEnabled;
    }
}

TEST(CommandLineSwitches, AsioInstanceNumberParsing) {
    EXPECT_EQ(ParseAsioInstanceNumber(L"7"), 7);
    EXPECT_EQ(ParseAsioInstanceNumber(L"+7"), 7);
    EXPECT_EQ(ParseAsioInstanceNumber(L"-7"), -7);
    EXPECT_EQ(ParseAsioInstanceNumber(L"\t\t12"), 12);
    EXPECT_EQ(ParseAsioInstanceNumber(L"12abc"), 12);
    EXPECT_EQ(ParseAsioInstanceNumber(L"0042"), 42);
    EXPECT_EQ(ParseAsioInstanceNumber(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseAsioInstanceNumber(L"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseAsioInstanceNumber(L"00000000000000000009"), 9);
    // Not a number, or out of range: no instance.
    for (const wchar_t* bad : {L"", L"abc", L"-", L"+-1", L"--1", L"\u0661", L"x12", L"2147483648",
                               L"-2147483649", L"99999999999999999999999"}) {
        EXPECT_EQ(ParseAsioInstanceNumber(bad), -1) << bad;
    }
}
