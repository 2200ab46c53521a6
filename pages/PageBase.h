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
// A page supplies one refresh operation, RefreshContents(device, api), which re-reads from
// the driver what the page shows. Every path that refreshes goes through Refresh, which
// first runs the page's OnRefreshRequested hook and then the guards of MayRefresh: nothing
// happens until the page was shown once, while it is not the current page and, unless
// forced, while the main window is hidden. Refresh then hands the page the open device and
// the binding, so no page asks the host for them.
class PageBase {
public:
    virtual ~PageBase() = default;
    PageBase(const PageBase&) = delete;
    PageBase& operator=(const PageBase&) = delete;

    // A device notification code, in arrival order. Volume and mute codes refresh nothing:
    // they concern the channel strips alone.
    virtual void OnDeviceNotification(std::uint32_t code);
    // The hidden main window is about to be shown: a forced refresh.
    virtual void RefreshPage() { Refresh(true); }
    virtual UINT GetDialogId() const = 0;

    // The page's part of the property sheet.
    virtual PropertyPageWindow& PageWindow() = 0;

    bool IsInitialized() const { return initialized_; }
    bool IsActive() const { return active_; }

protected:
    explicit PageBase(PageHost& host) : host_(host) {}

    // A setter of one 32-bit value of the open device (KORVELINE_SetSampleRate and kin).
    using DeviceValueSetter = StatusCode(KORVELINE_CALL*)(DeviceHandle, std::uint32_t);
    // The write of a selection: called with the open device and the selected value.
    using SelectionWrite = std::function<StatusCode(DeviceHandle, std::uint32_t)>;

    // A refresh of the page or of a part of it: the open device (0 while none is open) and
    // the binding to read it through.
    using RefreshStep = std::function<void(DeviceHandle device, const KorvelineApiDll& api)>;

    PageHost& Host() const { return host_; }
    void SetInitialized() { initialized_ = true; }
    void SetActive(bool active) { active_ = active; }

    // Initialised, active and, unless forced, the main window visible.
    bool MayRefresh(bool forced) const;
    // The refresh: the hook, the guards, then RefreshContents.
    void Refresh(bool forced);
    // The same for a part of the page (one section): `refreshPart` runs where
    // RefreshContents would.
    void RefreshPart(bool forced, const RefreshStep& refreshPart);
    // Re-reads what the page shows. With no device open the page shows no driver values; a
    // failed read ends the refresh silently, as after it the page's controls stay empty.
    virtual void RefreshContents(DeviceHandle device, const KorvelineApiDll& api) = 0;
    // Runs at the start of every refresh request, before the guards decide.
    virtual void OnRefreshRequested() {}

    // The selection write-back, first step: with a device open and a value taken from the
    // newly selected entry, runs `write` and reports a failure once as (operation,
    // entryPoint, code).
    void WriteSelection(std::optional<std::uint32_t> selectedValue, const wchar_t* operation,
                        const wchar_t* entryPoint, const SelectionWrite& write);
    // The whole write-back: WriteSelection, then Refresh(false), so the page shows what the
    // driver really applied. A null setter (an older library) reports
    // kStatusEntryPointUnavailable.
    void WriteBack(std::optional<std::uint32_t> selectedValue, const wchar_t* operation,
                   const wchar_t* entryPoint, DeviceValueSetter setter);
    void WriteBack(std::optional<std::uint32_t> selectedValue, const wchar_t* operation,
                   const wchar_t* entryPoint, const SelectionWrite& write);

private:
    PageHost& host_;
    bool initialized_ = false;
    bool active_ = false;
};
