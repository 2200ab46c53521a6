// No text is cut off on the live windows: every shown static, button, group box and check
// box of every page of a device with every page, and of both volume dialogs, holds its
// text as the control draws it with its own font, in English and in German; and each
// page's texts are all in the table the check tool lays out, whose sizes are the live ones.
#include "framework/ControlTextFit.h"
#include "pages/DialogTexts.h"
#include "resources/dialogs/PageVolumeControl.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/ModalDialogRun.h"
#include "tests/support/WindowQueries.h"
#include "tests/unit/ConfigTestFiles.h"
#include "tools/check/DialogFont.h"

#include <set>

namespace {

// "control ID "text": needs N px, has M" for each shown control of the window (and of the
// dialogs inside it) whose text does not fit.
std::vector<std::string> CutOffTexts(HWND window) {
    std::vector<HWND> controls;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM found) {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    std::vector<std::string> cutOff;
    const HDC dc = GetDC(window);
    for (const HWND control : controls) {
        const std::wstring text = WindowText(control);
        if (!IsWindowVisible(control) || text.empty())
            continue;
        auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        RECT client{};
        GetClientRect(control, &client);
        const std::optional<ControlTextFit> fit =
            FitControlText(dc, font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)),
                           ClassOf(control), static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)),
                           text, {client.right, client.bottom}, GetDeviceCaps(dc, LOGPIXELSY));
        if (fit && !fit->Fits())
            cutOff.push_back("control " + std::to_string(GetDlgCtrlID(control)) + " \"" +
                             std::string(text.begin(), text.end()) + "\": needs " +
                             std::to_string(fit->needed) + " px, has " +
                             std::to_string(fit->available));
    }
    ReleaseDC(window, dc);
    return cutOff;
}

// The shown controls of a page with a text that its dialog's table, which the check tool
// lays out, does not list.
std::vector<int> TextsOutsideTheTable(HWND page, int dialogId) {
    std::set<int> listed;
    for (const DialogTexts& table : AllDialogTexts()) {
        for (const DialogText& text : table.texts)
            listed.insert(table.dialogId == dialogId ? text.controlId : 0);
    }
    std::vector<int> unlisted;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const bool textControl = ClassOf(child) == L"Static" || ClassOf(child) == L"Button";
        if (textControl && IsWindowVisible(child) && !WindowText(child).empty() &&
            !listed.contains(GetDlgCtrlID(child)))
            unlisted.push_back(GetDlgCtrlID(child));
    }
    return unlisted;
}

class TextCutOff : public MainWindowTest, public testing::WithParamInterface<const wchar_t*> {};

TEST_P(TextCutOff, NoTextIsCutOffOnAnyPageOrVolumeDialog) {
    WnUiLanguageTextForTest().ApplyTranslation(config_test::SourceTreeFileBytes(
        L"resources/strings/" + std::wstring(GetParam()) + L".txt"));
    OpenWithEveryPage();
    ForEveryPage([&](HWND page) {
        EXPECT_EQ(CutOffTexts(page), std::vector<std::string>())
            << "page " << *window->CurrentPageId();
        EXPECT_EQ(TextsOutsideTheTable(page, *window->CurrentPageId()), std::vector<int>())
            << "page " << *window->CurrentPageId();
    });

    const HWND volume = ShowPage(IDD_PAGE_VOLUME);
    for (const int button : {IDC_VOLUME_FIRST_BUTTON, IDC_VOLUME_SECOND_BUTTON}) {
        const bool opened = RunInModalDialog(
            Hwnd(), 20,
            [&] {
                PostMessageW(volume, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(volume, button)));
                Pump();
            },
            [&](HWND dialog) {
                EXPECT_EQ(CutOffTexts(dialog), std::vector<std::string>())
                    << "volume dialog of button " << button;
            });
        EXPECT_TRUE(opened);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, TextCutOff, testing::Values(L"en", L"de"));

using LiveLayout = MainWindowTest;

// The layout check places the texts' controls where the dialog manager does.
TEST_F(LiveLayout, TheCheckToolSizesEveryTextControlOfEveryPageAsTheLivePage) {
    OpenWithEveryPage();
    const HDC dc = GetDC(Hwnd());
    ForEveryPage([&](HWND page) {
        const UINT dialogId = *window->CurrentPageId();
        const std::optional<DialogTemplate> dialog =
            ReadDialogTemplate(GetModuleHandleW(nullptr), static_cast<int>(dialogId));
        ASSERT_TRUE(dialog) << dialogId;
        const DialogFont font(dc, *dialog, GetDeviceCaps(dc, LOGPIXELSY));
        for (const DialogTemplateItem& item : dialog->items) {
            if (item.className != L"Static" && item.className != L"Button")
                continue;
            RECT client{};
            GetClientRect(GetDlgItem(page, item.id), &client);
            const SIZE size = font.Pixels(item);
            EXPECT_EQ((std::pair{client.right, client.bottom}), (std::pair{size.cx, size.cy}))
                << "page " << dialogId << ", control " << item.id;
        }
    });
    ReleaseDC(Hwnd(), dc);
}

} // namespace
