#pragma once

#include "pages/PageHost.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class PropertyPageWindow;

// The interface through which the main window drives every page, and the state all pages
// share: the host, the initialised flag (the page's controls exist and were filled once)
// and the active flag (the page is the one shown).
//
// A page supplies one refresh operation, RefreshContents(forced), which re-reads from the
// driver what the page shows. Every path that refreshes goes through Refresh, which runs
// it only while the page is initialised and active and, unless forced, the main window
// is visible; so a page never touches its controls or the driver before it was shown.
class PageBase {
public:
    virtual ~PageBase() = default;
    PageBase(const PageBase&) = delete;
    PageBase& operator=(const PageBase&) = delete;

    // Before the main window enumerates the devices again: 0, kStatusDeferred to be
    // asked again later, or an error to pass on.
    virtual StatusCode PrepareDeviceChange() { return 0; }
    // A device notification code, in arrival order. Codes 3 and 4 refresh nothing.
    virtual void OnDeviceNotification(std::uint32_t code);
    // The hidden main window is about to be shown: a forced refresh.
    virtual void RefreshPage() { Refresh(true); }
    virtual UINT GetDialogId() const = 0;

    // The page's part of the property sheet.
    virtual PropertyPageWindow& PageWindow() = 0;

    bool IsInitialized() const { return initialized_; }
    bool IsActive() const { return active_; }

    static bool IsRefreshingNotification(std::uint32_t code) { return code != 3 && code != 4; }

protected:
    explicit PageBase(PageHost& host) : host_(host) {}

    PageHost& Host() const { return host_; }
    void SetInitialized() { initialized_ = true; }
    void SetActive(bool active) { active_ = active; }

    // The guarded refresh; 0 when the guards leave nothing to do.
    StatusCode Refresh(bool forced);
    virtual StatusCode RefreshContents(bool forced) = 0;

    // The selection write-back: with a device open and a value taken from the newly
    // selected entry, runs `call` (which answers kStatusEntryPointUnavailable when its
    // entry point is not bound) and reports a failure as (operation, entryPoint, code);
    // then refreshes, so the page shows what the driver really applied.
    void WriteBack(std::optional<std::uint32_t> selectedValue, const wchar_t* operation,
                   const wchar_t* entryPoint,
                   const std::function<StatusCode(DeviceHandle, std::uint32_t)>& call);

private:
    PageHost& host_;
    bool initialized_ = false;
    bool active_ = false;
};
