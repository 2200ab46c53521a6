// Token splitting and switch evaluation of the command line.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using Tokens = std::vector<std::wstring>;
using Action = StartRequest::Action;

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

TEST(CommandLineSwitches, PlainStartGoesOnNormally) {
    StartRequest request = Evaluate(L"");
    EXPECT_EQ(request.action, Action::Start);
    EXPECT_EQ(request.mode, StartMode::Normal);
    EXPECT_EQ(request.asioInstance, 0);
    EXPECT_FALSE(request.multi);
    EXPECT_EQ(Evaluate(L"unknown words -- here").mode, StartMode::Normal);
}

TEST(CommandLineSwitches, MatchWholeTokensIgnoringAsciiCase) {
    EXPECT_EQ(Evaluate(L"-HIDE").mode, StartMode::Hidden);
    EXPECT_EQ(Evaluate(L"-Asio").mode, StartMode::ShowAsioPage);
    EXPECT_TRUE(Evaluate(L"-mUlTi").multi);
    EXPECT_EQ(Evaluate(L"-EXITALL").action, Action::ExitAll);
    for (const wchar_t* near : {L"--hide", L"-hide=1", L"hide", L"-hid", L"\"-hide\"", L"-hide\t",
                                L"-asio3", L"/multi"}) {
        StartRequest request = Evaluate(near);
        EXPECT_EQ(request.action, Action::Start) << near;
        EXPECT_EQ(request.mode, StartMode::Normal) << near;
        EXPECT_FALSE(request.multi) << near;
    }
    // Only ASCII letters fold: a dotted capital I is not an i.
    EXPECT_EQ(Evaluate(L"-H\u0130DE").mode, StartMode::Normal);
}

TEST(CommandLineSwitches, PositionsDoNotMatter) {
    EXPECT_EQ(Evaluate(L"x y -hide").mode, StartMode::Hidden);
    StartRequest request = Evaluate(L"-multi foo -asio");
    EXPECT_EQ(request.mode, StartMode::ShowAsioPage);
    EXPECT_EQ(request.asioInstance, -1);
    EXPECT_TRUE(request.multi);
    EXPECT_TRUE(Evaluate(L"-hide  -multi").multi);
}

TEST(CommandLineSwitches, HideDependsOnTheNotificationArea) {
    StartRequest withTray = Evaluate(L"-hide", true);
    EXPECT_EQ(withTray.action, Action::Start);
    EXPECT_EQ(withTray.mode, StartMode::Hidden);

    StartRequest withoutTray = Evaluate(L"-hide", false);
    EXPECT_EQ(withoutTray.action, Action::Exit);
    EXPECT_EQ(withoutTray.exitCode, 0u);
    // Without the tray "-hide" ends the start before any conflict is looked at.
    EXPECT_EQ(Evaluate(L"-asio -hide", false).exitCode, 0u);
    EXPECT_EQ(Evaluate(L"-hide -asioinst 2", false).exitCode, 0u);
    // The flag matters only for "-hide".
    EXPECT_EQ(Evaluate(L"-asio", false).mode, StartMode::ShowAsioPage);
}

TEST(CommandLineSwitches, ConflictingSwitchesEndWithTheirCode) {
    for (const wchar_t* line :
         {L"-hide -asio", L"-asio -hide", L"-hide -asioinst 1", L"-asioinst 1 -HIDE",
          L"-asio -asioinst 2", L"-asioinst -asio", L"-asioinst -hide -multi"}) {
        StartRequest request = Evaluate(line, true);
        EXPECT_EQ(request.action, Action::Exit) << line;
        EXPECT_EQ(request.exitCode, 0xEE000041u) << line;
    }
}

TEST(CommandLineSwitches, ExitAllWinsOverEverything) {
    for (const wchar_t* line :
         {L"-exitall", L"-multi -exitall", L"-hide -asio -exitall", L"-exitall -hide"}) {
        EXPECT_EQ(Evaluate(line, false).action, Action::ExitAll) << line;
        EXPECT_EQ(Evaluate(line, true).action, Action::ExitAll) << line;
    }
}

TEST(CommandLineSwitches, AsioInstanceNumberComesFromTheNextToken) {
    auto instanceOf = [](const std::wstring& line) {
        StartRequest request = Evaluate(line);
        EXPECT_EQ(request.action, Action::Start) << line;
        EXPECT_EQ(request.mode, StartMode::ShowAsioPage) << line;
        return request.asioInstance;
    };
    EXPECT_EQ(instanceOf(L"-asioinst 3"), 3);
    EXPECT_EQ(instanceOf(L"-multi -ASIOINST 0"), 0);
    EXPECT_EQ(instanceOf(L"-asioinst"), -1);
    EXPECT_EQ(instanceOf(L"-asioinst 4 -multi"), 4);
    // Two spaces: the token after the switch is empty, the 3 after it is not taken.
    EXPECT_EQ(instanceOf(L"-asioinst  3"), -1);
    // Only the first occurrence of the switch counts.
    EXPECT_EQ(instanceOf(L"-asioinst 5 -asioinst 6"), 5);
    EXPECT_EQ(instanceOf(L"-asioinst -multi"), -1);
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
