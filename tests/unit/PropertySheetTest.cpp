// The modeless property sheet and its pages, with in-memory page templates.
#include "framework/MessageMap.h"
#include "framework/PropertyPageImpl.h"
#include "framework/PropertySheetImpl.h"
#include "tests/support/DialogTemplateBuilder.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kPing = WM_APP + 200;

class TestPage : public PropertyPageImpl<TestPage> {
public:
    TestPage(const DLGTEMPLATE* tmpl, std::wstring title, std::vector<std::wstring>& log)
        : PropertyPageImpl<TestPage>(tmpl), log_(log) {
        SetTitle(std::move(title));
    }

    BEGIN_MSG_MAP(TestPage)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    CHAIN_MSG_MAP(PropertyPageImpl<TestPage>)
    END_MSG_MAP()

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, bool&) {
        log_.push_back(L"init " + Title());
        return FALSE;
    }
    LRESULT OnSetActive() override {
        log_.push_back(L"active " + Title());
        return 0;
    }
    LRESULT OnKillActive() override {
        log_.push_back(L"leave " + Title());
        return refuseLeaving ? TRUE : FALSE;
    }

    bool refuseLeaving = false;

private:
    std::vector<std::wstring>& log_;
};

class TestSheet : public PropertySheetImpl<TestSheet> {
public:
    BEGIN_MSG_MAP(TestSheet)
    MESSAGE_HANDLER(kPing, OnPing)
    END_MSG_MAP()

    void OnSheetInitialized() {
        initializedWith = Hwnd();
        styleAtInit = static_cast<DWORD>(GetWindowLongW(Hwnd(), GWL_STYLE));
    }
    LRESULT OnPing(UINT, WPARAM, LPARAM, bool&) { return 7; }

    HWND initializedWith = nullptr;
    DWORD styleAtInit = 0;
};

class PropertySheetTest : public testing::Test {
protected:
    PropertySheetTest() {
        for (auto& tmpl : templates_) {
            tmpl = std::make_unique<DialogTemplateBuilder>(WS_CHILD | WS_CAPTION, 200, 120);
            tmpl->AddControl(1001, L"STATIC", 0, 5, 5, 100, 10, L"text");
        }
        for (int i = 0; i < 3; ++i)
            pages_.push_back(
                std::make_unique<TestPage>(templates_[i]->Get(), std::wstring(1, L'A' + i), log_));
    }
    ~PropertySheetTest() override {
        if (IsWindow(sheet_.Hwnd()))
            DestroyWindow(sheet_.Hwnd());
    }

    std::unique_ptr<DialogTemplateBuilder> templates_[3];
    std::vector<std::wstring> log_;
    std::vector<std::unique_ptr<TestPage>> pages_;
    TestSheet sheet_;
};

TEST_F(PropertySheetTest, IsCreatedHiddenAndResizableAndThenSubclassed) {
    ASSERT_TRUE(sheet_.AddPage(*pages_[0]));
    HWND window = sheet_.Create();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(sheet_.initializedWith, window);
    EXPECT_EQ(sheet_.styleAtInit & WS_VISIBLE, 0u);
    EXPECT_NE(sheet_.styleAtInit & WS_THICKFRAME, 0u);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(SendMessageW(window, kPing, 0, 0), 7) << "sheet messages reach the map";
    EXPECT_EQ(sheet_.Create(), nullptr) << "one sheet per object";
    ASSERT_FALSE(log_.empty());
    EXPECT_EQ(log_.front(), L"init A") << "the page found its object through lParam";
}

TEST_F(PropertySheetTest, PagesAreAddedRemovedAndSelectedById) {
    ASSERT_TRUE(sheet_.AddPage(*pages_[0]));
    ASSERT_TRUE(sheet_.AddPage(*pages_[1]));
    EXPECT_EQ(sheet_.PageIndex(*pages_[0]), -1) << "no sheet yet";
    ASSERT_NE(sheet_.Create(), nullptr);
    ASSERT_TRUE(sheet_.AddPage(*pages_[2])) << "added to the live sheet";
    EXPECT_EQ(sheet_.PageCount(), 3);
    EXPECT_EQ(sheet_.PageIndex(*pages_[2]), 2);
    EXPECT_EQ(sheet_.ActivePageIndex(), 0);

    log_.clear();
    ASSERT_TRUE(sheet_.SelectPage(*pages_[2]));
    EXPECT_EQ(sheet_.ActivePageIndex(), 2);
    EXPECT_EQ(log_, (std::vector<std::wstring>{L"leave A", L"init C", L"active C"}));

    ASSERT_TRUE(sheet_.RemovePage(*pages_[1]));
    EXPECT_EQ(sheet_.PageCount(), 2);
    EXPECT_EQ(sheet_.PageIndex(*pages_[1]), -1);
    EXPECT_EQ(sheet_.PageIndex(*pages_[2]), 1);
    EXPECT_FALSE(sheet_.RemovePage(*pages_[1])) << "already gone";
    EXPECT_FALSE(sheet_.SelectPage(12345u)) << "an id no page has";
}

TEST_F(PropertySheetTest, RemovalTakesThePageItselfNotAnotherOfTheSameTemplate) {
    TestPage twin(templates_[0]->Get(), L"A2", log_);
    ASSERT_TRUE(sheet_.AddPage(*pages_[0]));
    ASSERT_NE(sheet_.Create(), nullptr);
    ASSERT_TRUE(sheet_.AddPage(twin));
    EXPECT_FALSE(sheet_.RemovePage(*pages_[2])) << "never added";

    ASSERT_TRUE(sheet_.RemovePage(twin));
    EXPECT_EQ(sheet_.PageCount(), 1);
    wchar_t caption[16] = {};
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = caption;
    tab.cchTextMax = 16;
    SendMessageW(sheet_.TabControl(), TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tab));
    EXPECT_STREQ(caption, L"A") << "the first page of the template stays";
}

TEST_F(PropertySheetTest, APageThatRefusesToLeaveKeepsTheSelection) {
    sheet_.AddPage(*pages_[0]);
    sheet_.AddPage(*pages_[1]);
    ASSERT_NE(sheet_.Create(), nullptr);
    pages_[0]->refuseLeaving = true;
    sheet_.SelectPage(*pages_[1]);
    EXPECT_EQ(sheet_.ActivePageIndex(), 0);
}

TEST_F(PropertySheetTest, RemovingAShownPageDestroysItsWindowAndDetachesTheObject) {
    sheet_.AddPage(*pages_[0]);
    sheet_.AddPage(*pages_[1]);
    ASSERT_NE(sheet_.Create(), nullptr);
    sheet_.SelectPage(*pages_[1]);
    HWND pageWindow = pages_[1]->Hwnd();
    ASSERT_NE(pageWindow, nullptr);
    sheet_.SelectPage(*pages_[0]);
    sheet_.RemovePage(*pages_[1]);
    EXPECT_FALSE(IsWindow(pageWindow));
    EXPECT_EQ(pages_[1]->Hwnd(), nullptr);
}

TEST_F(PropertySheetTest, DestroyingTheSheetDetachesItAndPendingPagesAreFreed) {
    sheet_.AddPage(*pages_[0]);
    ASSERT_NE(sheet_.Create(), nullptr);
    DestroyWindow(sheet_.Hwnd());
    EXPECT_EQ(sheet_.Hwnd(), nullptr);
    EXPECT_EQ(sheet_.PageCount(), 0);

    TestSheet neverCreated;
    EXPECT_TRUE(neverCreated.AddPage(*pages_[1])); // freed by its destructor
}

} // namespace
