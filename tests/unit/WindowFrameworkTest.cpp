// Message maps, subclassing and dialogs of the window framework, with real windows.
#include "framework/Dialog.h"
#include "framework/MessageMap.h"
#include "framework/SubclassedWindow.h"
#include "tests/support/DialogTemplateBuilder.h"
#include "tests/support/MessagePump.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT kPing = WM_APP + 100;
constexpr UINT kPassOn = WM_APP + 101;
constexpr UINT kBaseOnly = WM_APP + 102;

class BaseMap : public SubclassedWindow {
public:
    BEGIN_MSG_MAP(BaseMap)
    MESSAGE_HANDLER(kBaseOnly, OnBaseOnly)
    MESSAGE_HANDLER(kPing, OnBasePing)
    END_MSG_MAP()

    LRESULT OnBaseOnly(UINT, WPARAM, LPARAM, bool&) { return 11; }
    LRESULT OnBasePing(UINT, WPARAM, LPARAM, bool&) { return 99; }
};

class RecordingControl : public BaseMap {
public:
    BEGIN_MSG_MAP(RecordingControl)
    MESSAGE_HANDLER(kPing, OnPing)
    MESSAGE_HANDLER(kPassOn, OnPassOn)
    COMMAND_ID_HANDLER(7, OnCommandSeven)
    COMMAND_HANDLER(8, BN_CLICKED, OnEightClicked)
    NOTIFY_HANDLER(21, NM_CLICK, OnClickOf21)
    NOTIFY_CODE_HANDLER(NM_DBLCLK, OnAnyDoubleClick)
    MESSAGE_HANDLER(WM_SETTEXT, OnSetText)
    CHAIN_MSG_MAP(BaseMap)
    END_MSG_MAP()

    LRESULT OnPing(UINT, WPARAM wParam, LPARAM, bool&) { return static_cast<LRESULT>(wParam) + 1; }
    LRESULT OnPassOn(UINT, WPARAM, LPARAM, bool& handled) {
        handled = false;
        return 5;
    }
    LRESULT OnCommandSeven(WORD code, WORD id, HWND, bool&) {
        commands.push_back(MAKELONG(id, code));
        return 0;
    }
    LRESULT OnEightClicked(WORD, WORD, HWND, bool&) { return 8; }
    LRESULT OnClickOf21(int, NMHDR*, bool&) { return 21; }
    LRESULT OnAnyDoubleClick(int id, NMHDR*, bool&) { return 1000 + id; }
    LRESULT OnSetText(UINT, WPARAM, LPARAM, bool& handled) {
        ++setTextSeen;
        handled = false; // the control still stores the text
        return 0;
    }

    std::vector<DWORD> commands;
    int setTextSeen = 0;
};

HWND MakeStatic() {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

LRESULT Notify(HWND window, UINT_PTR id, UINT code) {
    NMHDR header{window, id, code};
    return SendMessageW(window, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
}

TEST(MessageMap, DispatchesByMessageCommandAndNotifyAndChainsToTheBase) {
    HWND window = MakeStatic();
    RecordingControl control;
    ASSERT_TRUE(control.Subclass(window));

    EXPECT_EQ(SendMessageW(window, kPing, 41, 0), 42) << "own row before the chained base";
    EXPECT_EQ(SendMessageW(window, kBaseOnly, 0, 0), 11) << "chained base map";
    EXPECT_EQ(SendMessageW(window, kPassOn, 0, 0), 0) << "unhandled goes to the control";

    SendMessageW(window, WM_COMMAND, MAKEWPARAM(7, 0x0300), 0);
    ASSERT_EQ(control.commands.size(), 1u);
    EXPECT_EQ(control.commands[0], static_cast<DWORD>(MAKELONG(7, 0x0300)));
    EXPECT_EQ(SendMessageW(window, WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), 0), 8);
    EXPECT_EQ(SendMessageW(window, WM_COMMAND, MAKEWPARAM(8, BN_SETFOCUS), 0), 0)
        << "COMMAND_HANDLER matches the code too";

    EXPECT_EQ(Notify(window, 21, NM_CLICK), 21);
    EXPECT_EQ(Notify(window, 22, NM_CLICK), 0);
    EXPECT_EQ(Notify(window, 22, NM_DBLCLK), 1022);

    SetWindowTextW(window, L"kept");
    wchar_t text[16]{};
    GetWindowTextW(window, text, 16);
    EXPECT_EQ(control.setTextSeen, 1);
    EXPECT_STREQ(text, L"kept") << "a handler that declines leaves the default running";
    DestroyWindow(window);
}

TEST(Subclassing, EndsOnUnsubclassAndOnDestructionOfTheWindow) {
    HWND window = MakeStatic();
    RecordingControl first;
    ASSERT_TRUE(first.Subclass(window));
    EXPECT_FALSE(first.Subclass(window)) << "one window per object";
    first.Unsubclass();
    EXPECT_EQ(first.Hwnd(), nullptr);
    EXPECT_EQ(SendMessageW(window, kPing, 1, 0), 0);

    RecordingControl second;
    ASSERT_TRUE(second.Subclass(window));
    EXPECT_EQ(SendMessageW(window, kPing, 1, 0), 2);
    DestroyWindow(window);
    EXPECT_EQ(second.Hwnd(), nullptr);
}

TEST(Subclassing, ObjectDestroyedBeforeItsWindowLeavesTheWindowWorking) {
    HWND window = MakeStatic();
    {
        RecordingControl control;
        ASSERT_TRUE(control.Subclass(window));
    }
    EXPECT_EQ(SendMessageW(window, kPing, 1, 0), 0);
    DestroyWindow(window);
}

// A dialog that records what it saw; IDOK ends it (modal) or destroys it (modeless).
class ProbeDialog : public Dialog<ProbeDialog> {
public:
    BEGIN_MSG_MAP(ProbeDialog)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(kPing, OnPing)
    COMMAND_ID_HANDLER(IDOK, OnOk)
    END_MSG_MAP()

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM lParam, bool&) {
        initLParamWasThis = lParam == reinterpret_cast<LPARAM>(this);
        hwndAtInit = Hwnd();
        if (endAtOnce)
            PostMessageW(Hwnd(), WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    LRESULT OnPing(UINT, WPARAM wParam, LPARAM, bool&) { return static_cast<LRESULT>(wParam) * 2; }
    LRESULT OnOk(WORD, WORD, HWND, bool&) {
        if (modal)
            EndDialog(Hwnd(), 42);
        else
            DestroyWindow(Hwnd());
        return 0;
    }

    bool endAtOnce = false;
    bool modal = false;
    bool initLParamWasThis = false;
    HWND hwndAtInit = nullptr;
};

DialogTemplateBuilder ProbeTemplate(DWORD style) {
    DialogTemplateBuilder builder(style, 120, 60, L"Probe");
    builder.AddControl(IDOK, L"BUTTON", BS_DEFPUSHBUTTON, 10, 10, 40, 14, L"OK");
    return builder;
}

TEST(Dialog, ModalRunsUntilEndDialogWithThisPassedThroughInit) {
    auto tmpl = ProbeTemplate(WS_POPUP | WS_CAPTION);
    ProbeDialog dialog;
    dialog.modal = true;
    dialog.endAtOnce = true;
    EXPECT_EQ(dialog.DoModal(nullptr, tmpl.Get()), 42);
    EXPECT_TRUE(dialog.initLParamWasThis);
    EXPECT_NE(dialog.hwndAtInit, nullptr);
    EXPECT_EQ(dialog.Hwnd(), nullptr) << "detached once the dialog is gone";
}

TEST(Dialog, ModelessRoutesResultsThroughTheDialogManager) {
    auto tmpl = ProbeTemplate(WS_POPUP | WS_CAPTION);
    ProbeDialog dialog;
    HWND window = dialog.Create(nullptr, tmpl.Get());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(dialog.initLParamWasThis);
    EXPECT_EQ(dialog.Hwnd(), window);
    EXPECT_EQ(SendMessageW(window, kPing, 21, 0), 42) << "result via DWLP_MSGRESULT";
    EXPECT_EQ(dialog.Create(nullptr, tmpl.Get()), nullptr) << "one window per object";

    SendMessageW(window, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.Hwnd(), nullptr);
}

TEST(Dialog, MissingTemplatesFailCleanly) {
    ProbeDialog dialog;
    EXPECT_EQ(dialog.DoModal(nullptr, static_cast<const DLGTEMPLATE*>(nullptr)), -1);
    EXPECT_EQ(dialog.Create(nullptr, static_cast<const DLGTEMPLATE*>(nullptr)), nullptr);
    EXPECT_EQ(dialog.DoModal(nullptr, 30000u), -1) << "no such resource";
    EXPECT_EQ(dialog.Create(nullptr, 30000u), nullptr);
}

} // namespace
