#include "driver/ErrorReport.h"

#include <gtest/gtest.h>

#include "config/WnUiLanguageText.h"

#include "tests/support/ModalBoxReader.h"

namespace {

const std::wstring kCommonError = L"An error has occurred. The internal error description is:";

ErrorReportTexts Texts(const std::wstring& commonError = kCommonError) {
    ErrorReportTexts texts;
    texts.appTitle = L"Title";
    texts.commonError = commonError;
    texts.driverApiDllWithoutIni = L"without ini";
    texts.driverApiDllWithInvalidIni = L"invalid ini";
    texts.switchStreamFormatNotAllowed = L"not allowed";
    texts.driverApiDllNotFound = L"not found";
    texts.driverApiDllNotCompatible = L"not compatible";
    return texts;
}

} // namespace

TEST(FormatErrorReport, PrintsEveryCodeWithEightUpperCaseDigits) {
    EXPECT_EQ(FormatErrorReport(L"_tWinMain", L"Load", 0x7F, Texts()),
              kCommonError + L"\n\"_tWinMain: Load -> 0x0000007F\"");
    EXPECT_EQ(FormatErrorReport(L"SetVolume", L"KORVELINE_SetVolume", 5, Texts(L"E")),
              L"E\n\"SetVolume: KORVELINE_SetVolume -> 0x00000005\"");
    EXPECT_EQ(FormatErrorReport(L"Op", L"Step", 0xEE00abcd, Texts(L"E")),
              L"E\n\"Op: Step -> 0xEE00ABCD\"");
    EXPECT_EQ(FormatErrorReport(L"", L"", 0, Texts(L"")), L"\n\":  -> 0x00000000\"");
}

TEST(FormatErrorReport, KeepsLongTextsWhole) {
    const std::wstring operation(5000, L'o');
    EXPECT_EQ(FormatErrorReport(operation, L"Step", 1, Texts()),
              kCommonError + L"\n\"" + operation + L": Step -> 0x00000001\"");
}

TEST(FormatErrorReport, TakesTheLanguageTextsByDefault) {
    WnUiLanguageText languageTexts;
    languageTexts.BuildTextTable();
    EXPECT_EQ(FormatErrorReport(L"_tWinMain", L"Load", 0x7F),
              kCommonError + L"\n\"_tWinMain: Load -> 0x0000007F\"");
    const ErrorReportTexts texts = UiErrorReportTexts();
    EXPECT_EQ(texts.appTitle, L"Korveline Control Panel");
    EXPECT_EQ(texts.driverApiDllNotFound,
              L"The driver DLL required to access the device is missing.");
    EXPECT_EQ(texts.driverApiDllNotCompatible,
              L"The driver DLL required to access the device is not compatible with this "
              L"application version.");
    EXPECT_EQ(texts.switchStreamFormatNotAllowed,
              L"Switching stream format is not allowed while the device is in use.");
    EXPECT_FALSE(texts.driverApiDllWithoutIni.empty());
    EXPECT_FALSE(texts.driverApiDllWithInvalidIni.empty());
}

TEST(DeviceErrorBoxText, MapsTheCodesWithPlainTextsAndDropsTheSilentOne) {
    const ErrorReportTexts texts = Texts();
    EXPECT_EQ(DeviceErrorBoxText(L"Op", L"Fn", 0xEE001006, texts), L"without ini");
    EXPECT_EQ(DeviceErrorBoxText(L"Op", L"Fn", 0xEE000052, texts), L"invalid ini");
    EXPECT_EQ(DeviceErrorBoxText(L"Op", L"Fn", 0xEE00100B, texts), L"not allowed");
    EXPECT_EQ(DeviceErrorBoxText(L"Op", L"Fn", 0xEE00100E, texts), L"not allowed");
    EXPECT_EQ(DeviceErrorBoxText(L"Op", L"Fn", 0xEE000071, texts), std::nullopt);
}

TEST(DeviceErrorBoxText, ShowsTheTechnicalReportForEveryOtherCode) {
    const ErrorReportTexts texts = Texts();
    EXPECT_EQ(DeviceErrorBoxText(L"SaveSelectedSampleRate", L"KORVELINE_SetSampleRate", 0xEE000030,
                                 texts),
              kCommonError +
                  L"\n\"SaveSelectedSampleRate: KORVELINE_SetSampleRate -> 0xEE000030\"");
    // Neighbours of the mapped codes are not mapped.
    for (StatusCode code : {0xEE001007u, 0xEE000053u, 0xEE00100Cu, 0xEE000070u, 0x71u})
        EXPECT_EQ(DeviceErrorBoxText(L"Op", L"Fn", code, texts),
                  FormatErrorReport(L"Op", L"Fn", code, texts));
}

TEST(ShowErrorReport, ShowsTheReportWithTheTitleAndTheErrorIcon) {
    const ErrorReportTexts texts = Texts();
    const auto box = RunAndReadModalBox(
        [&] { ShowErrorReport(nullptr, L"Run", L"StartListening", 1400, texts); });
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, L"Title");
    EXPECT_EQ(box->text, kCommonError + L"\n\"Run: StartListening -> 0x00000578\"");
    EXPECT_FALSE(box->hasOwner);
    EXPECT_TRUE(box->hasErrorIcon);
}
