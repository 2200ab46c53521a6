#include "tests/support/MainWindowFixture.h"

#include "app/PageTable.h"
#include "config/WnUiLanguageText.h"
#include "pages/ComboBoxItems.h"
#include "tests/support/EveryPageDevice.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <sstream>

WnUiLanguageText& WnUiLanguageTextForTest() {
    static WnUiLanguageText texts;
    return texts;
}

std::string DeviceXml(int id, const std::string& product, const std::string& serial,
                      const std::string& attributes, const std::string& inner) {
    return "<Device id=\"" + std::to_string(id) + "\" vid=\"0x2FC0\" pid=\"0x0100\" serial=\"" +
           serial + "\" manufacturer=\"Test\" product=\"" + product + "\" " + attributes + ">" +
           inner + "</Device>";
}

void MainWindowTest::SetUpTestSuite() {
    WnUiLanguageTextForTest().BuildTextTable();
    KorvelineApiDll& api = TheKorvelineApiDll();
    if (api.Module() == nullptr) {
        ASSERT_EQ(api.LoadFromPath(SimulatorDllPath(), true, kRequiredApiMajor, kRequiredApiMinor),
                  0u);
    }
}

void MainWindowTest::SetUp() {
    WnUiLanguageTextForTest().ApplyTranslation("");
    Simulator().Reset();
    boxes_ = std::make_unique<MessageBoxWatcher>();
}

void MainWindowTest::TearDown() {
    window.reset();
    Pump(50);
    ownBinding_.reset();
    boxes_.reset();
    WnUiLanguageTextForTest().ApplyTranslation("");
}

void MainWindowTest::LoadDevices(const std::string& devicesXml) {
    const SimReply reply =
        Simulator().LoadScenarioText("<Scenario apiVersion=\"5.16\" " + scenarioAttributes + ">" +
                                     driverXml + devicesXml + "</Scenario>");
    ASSERT_EQ(reply.status, 0u) << std::string(reply.text.begin(), reply.text.end());
}

MainPropSheetDlg& MainWindowTest::OpenMainWindow(bool show) {
    window = std::make_unique<MainPropSheetDlg>(ownBinding_ ? *ownBinding_ : TheKorvelineApiDll(),
                                                settings);
    EXPECT_NE(window->Create(), nullptr);
    if (show)
        ShowWindow(window->Hwnd(), SW_SHOW);
    Pump();
    return *window;
}

void MainWindowTest::Pump(DWORD quietMs, DWORD limitMs) {
    ULONGLONG limit = GetTickCount64() + limitMs;
    ULONGLONG quietUntil = GetTickCount64() + quietMs;
    std::array<MSG, 8> last{};
    size_t dispatched = 0;
    while (GetTickCount64() < quietUntil) {
        if (GetTickCount64() >= limit) {
            std::ostringstream names;
            for (size_t i = dispatched - std::min(dispatched, last.size()); i < dispatched; ++i)
                names << std::hex << " 0x" << last[i % last.size()].message << "(0x"
                      << last[i % last.size()].wParam << ")";
            ADD_FAILURE() << "the queue never became quiet; " << std::dec << dispatched
                          << " messages, the last:" << names.str();
            return;
        }
        MSG message{};
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
            continue;
        }
        last[dispatched++ % last.size()] = message;
        if (message.message == WM_QUIT) {
            quitCode = static_cast<int>(message.wParam);
            continue;
        }
        const ULONGLONG start = GetTickCount64();
        // As the program's loop does, so that Tab and the dialog keys move between controls.
        if (!window || !IsWindow(window->Hwnd()) || !window->PreTranslateMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        limit += GetTickCount64() - start;
        quietUntil = GetTickCount64() + quietMs;
    }
}

void MainWindowTest::Command(UINT id) {
    SendMessageW(Hwnd(), WM_COMMAND, id, 0);
    Pump();
}

HWND MainWindowTest::Selector() const {
    return GetDlgItem(window->StatusPage().Hwnd(), PageStatus::kDeviceSelector);
}

std::vector<std::wstring> MainWindowTest::SelectorTexts() const {
    return ComboTexts(Selector());
}

std::vector<std::uint32_t> MainWindowTest::SelectorItemData() const {
    return ComboItemData(Selector());
}

void MainWindowTest::ChooseEntry(int position) {
    ChooseComboEntry(Selector(), position);
}

std::wstring MainWindowTest::SampleRateLine() const {
    wchar_t text[256] = {};
    GetDlgItemTextW(window->StatusPage().Hwnd(), PageStatus::kSampleRateLine, text, 256);
    return text;
}

std::vector<std::wstring> MainWindowTest::Calls(const std::wstring& entryPoint) const {
    std::vector<std::wstring> calls;
    for (const std::wstring& line : Simulator().CallLog()) {
        if (line.rfind(entryPoint + L"(", 0) == 0)
            calls.push_back(line);
    }
    return calls;
}

std::wstring MainWindowTest::DeviceCall(const std::wstring& entryPoint,
                                        const std::wstring& arguments) const {
    return entryPoint + L"(" + std::to_wstring(window->OpenedDevice()) + L", " + arguments + L")";
}

void MainWindowTest::OpenWithDevice(const std::string& devicesXml, std::uint32_t deviceIndex) {
    LoadDevices(devicesXml);
    OpenMainWindow();
    if (window->OpenedDevice() != 0)
        return;
    const std::vector<std::uint32_t> data = SelectorItemData();
    for (size_t position = 0; position < data.size(); ++position) {
        if (data[position] == deviceIndex) {
            ChooseEntry(static_cast<int>(position));
            break;
        }
    }
    EXPECT_NE(window->OpenedDevice(), 0u) << "no device was opened";
}

void MainWindowTest::OpenWithEveryPage() {
    ShowEveryPage(settings);
    OpenWithDevice(EveryPageDeviceXml());
    ASSERT_EQ(static_cast<std::size_t>(window->PageCount()), PageTable().size());
}

void MainWindowTest::ForEveryPage(const std::function<void(HWND page)>& body) {
    for (int index = 0; index < window->PageCount(); ++index) {
        SendMessageW(Hwnd(), PSM_SETCURSEL, index, 0);
        Pump();
        body(reinterpret_cast<HWND>(SendMessageW(Hwnd(), PSM_GETCURRENTPAGEHWND, 0, 0)));
    }
}

HWND MainWindowTest::ShowPage(UINT dialogId) {
    const int index = window->PageIndex(dialogId);
    if (index < 0)
        return nullptr;
    SendMessageW(Hwnd(), PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    Pump();
    return reinterpret_cast<HWND>(SendMessageW(Hwnd(), PSM_GETCURRENTPAGEHWND, 0, 0));
}

bool MainWindowTest::HasPage(UINT dialogId) const {
    return window->PageIndex(dialogId) >= 0;
}

HWND MainWindowTest::PageControl(UINT dialogId, int controlId) const {
    PageBase* page = Page(dialogId);
    return page ? GetDlgItem(page->PageWindow().Hwnd(), controlId) : nullptr;
}

PageBase* MainWindowTest::Page(UINT dialogId) const {
    for (const auto& page : window->DevicePages()) {
        if (page->GetDialogId() == dialogId)
            return page.get();
    }
    return nullptr;
}

void MainWindowTest::LoseDeviceWhileHidden(std::uint32_t deviceId) {
    ShowWindow(Hwnd(), SW_HIDE);
    Pump();
    EXPECT_EQ(Simulator().Unplug(deviceId), 0u);
    Pump();
    EXPECT_EQ(window->OpenedDevice(), 0u);
}

KorvelineApiDll& MainWindowTest::OwnBinding() {
    if (!ownBinding_) {
        ownBinding_ = std::make_unique<KorvelineApiDll>();
        EXPECT_EQ(ownBinding_->LoadFromPath(SimulatorDllPath(), false, kRequiredApiMajor,
                                            kRequiredApiMinor),
                  0u);
    }
    return *ownBinding_;
}

std::vector<std::wstring> MainWindowTest::ComboTexts(HWND comboBox) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < combo_box::Count(comboBox); ++i)
        texts.push_back(combo_box::ItemText(comboBox, i));
    return texts;
}

std::vector<std::uint32_t> MainWindowTest::ComboItemData(HWND comboBox) {
    std::vector<std::uint32_t> data;
    for (int i = 0; i < combo_box::Count(comboBox); ++i)
        data.push_back(combo_box::ItemData(comboBox, i).value_or(0xDEAD));
    return data;
}

std::wstring MainWindowTest::ComboSelectedText(HWND comboBox) {
    const auto selection = combo_box::Selection(comboBox);
    return selection ? combo_box::ItemText(comboBox, *selection) : std::wstring();
}

void MainWindowTest::ChooseComboEntry(HWND comboBox, int position, bool pump) {
    SendMessageW(comboBox, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageW(GetParent(comboBox), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(comboBox), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(comboBox));
    if (pump)
        Pump();
}

std::thread MainWindowTest::WithErrorBoxHeldOpen(std::function<void()> whileOpen) const {
    MessageBoxWatcher& watcher = *boxes_;
    watcher.Dismiss(false);
    return std::thread([&watcher, whileOpen = std::move(whileOpen)] {
        if (watcher.WaitForCount(1, 10000)) {
            whileOpen();
            Sleep(500);
        }
        watcher.Dismiss(true);
    });
}

void MainWindowTest::FocusControl(HWND control) {
    SetForegroundWindow(GetAncestor(control, GA_ROOT));
    SetFocus(control);
    Pump(100);
}

void MainWindowTest::PressKey(WORD virtualKey, std::initializer_list<WORD> held) {
    SendKey(virtualKey, held);
    Pump();
}

void SendKey(WORD virtualKey, std::initializer_list<WORD> held) {
    std::vector<INPUT> keys;
    const auto key = [&keys](WORD code, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = flags;
        keys.push_back(input);
    };
    for (WORD modifier : held)
        key(modifier, 0);
    key(virtualKey, 0);
    key(virtualKey, KEYEVENTF_KEYUP);
    for (auto modifier = std::rbegin(held); modifier != std::rend(held); ++modifier)
        key(*modifier, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}
