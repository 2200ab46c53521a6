#pragma once

#include "config/UiText.h"
#include "framework/DialogResize.h"
#include "framework/MessageMap.h"
#include "framework/PropertyPageImpl.h"
#include "pages/DialogTexts.h"
#include "pages/PageBase.h"
#include "pages/PageMessages.h"

#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>

// The base of every concrete page, over the page class itself. T gives its identity and
// layout as data:
//   static constexpr UINT IDD = IDD_PAGE_STATUS;       // dialog template and page id
//   static constexpr int kDeviceSelector = IDC_STATUS_DEVICE_SELECTION;
//   static constexpr ResizeRule kResizeRules[] = {{kDeviceSelector, kStretchX | kRepaint}, ...};
// with the ids taken from the page's header in resources/dialogs/,
// and its title text handle to the constructor. Its dialog's fixed texts come from its
// DialogTexts table. It implements InitControls (look up the controls, set up what they
// show) and RefreshContents (PageBase); everything else here
// is shared: activation, the dialog initialisation order and the resize layout.
template <class T>
class PageT : public PageBase, public PropertyPageImpl<T>, public DialogResize<T> {
public:
    UINT GetDialogId() const override { return T::IDD; }
    PropertyPageWindow& PageWindow() override { return *this; }

    BEGIN_MSG_MAP(PageT)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(MSG_RUN_DEFERRED, OnRunDeferred)
    CHAIN_MSG_MAP(DialogResize<T>)
    CHAIN_MSG_MAP(PropertyPageImpl<T>)
    END_MSG_MAP()

protected:
    PageT(PageHost& host, const UiTextHandle& title) : PageBase(host) {
        this->SetTitle(GetUiText(title));
    }

    // The page became the one shown: it refreshes (not forced); 0 accepts.
    virtual LRESULT OnActivate() {
        SetActive(true);
        Refresh(false);
        return 0;
    }
    // Another page is shown, or the window goes away; 0 allows leaving.
    virtual LRESULT OnDeactivate() {
        SetActive(false);
        return 0;
    }

    virtual void InitControls() = 0;
    // After the first display, once the page counts as initialised.
    virtual void OnPageInitialized() {}

    HWND Control(int id) const { return GetDlgItem(this->Hwnd(), id); }

    // Hides the controls of the row that heads the page and moves the listed controls up
    // by the distance between the row's top (its highest control) and the first listed
    // control's top, so that this one takes its place. The layout keeps the new places
    // (MoveControl).
    void HideAndMoveUp(std::initializer_list<int> hiddenIds, std::initializer_list<int> movedIds) {
        const auto top = [this](int id) {
            RECT rect{};
            const HWND control = Control(id);
            if (control == nullptr || !GetWindowRect(control, &rect))
                return std::optional<LONG>();
            MapWindowPoints(nullptr, this->Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
            return std::optional<LONG>(rect.top);
        };
        std::optional<LONG> hiddenTop;
        for (const int id : hiddenIds) {
            ShowWindow(Control(id), SW_HIDE);
            if (const auto controlTop = top(id);
                controlTop && (!hiddenTop || *controlTop < *hiddenTop))
                hiddenTop = controlTop;
        }
        const auto firstTop = movedIds.size() ? top(*movedIds.begin()) : std::nullopt;
        if (!hiddenTop || !firstTop)
            return;
        for (const int id : movedIds)
            this->MoveControl(id, 0, static_cast<int>(*hiddenTop - *firstTop));
    }

    // Runs `work` once the message being handled has returned: a list's item-changed
    // notification must be over before the list is rebuilt or a modal box opens. Work
    // still waiting when the page goes away is dropped with it.
    void RunAfterThisMessage(std::function<void()> work) {
        deferred_.push_back(std::move(work));
        PostMessageW(this->Hwnd(), MSG_RUN_DEFERRED, 0, 0);
    }

private:
    LRESULT OnRunDeferred(UINT, WPARAM, LPARAM, bool&) {
        if (!deferred_.empty()) {
            const std::function<void()> work = std::move(deferred_.front());
            deferred_.pop_front();
            work();
        }
        return 0;
    }

    LRESULT OnSetActive() final {
        Host().PostFitPage();
        return OnActivate();
    }
    LRESULT OnKillActive() final { return OnDeactivate(); }

    // No size grip and no minimum size for a page; FALSE asks for no default focus.
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, bool&) {
        this->InitResize(T::kResizeRules, false, false);
        ApplyDialogTexts(this->Hwnd(), T::IDD);
        InitControls();
        SetInitialized();
        OnPageInitialized();
        return FALSE;
    }

    std::deque<std::function<void()>> deferred_;
};
