#pragma once

#include "framework/UniqueAny.h"
#include "pages/PageHost.h"
#include "resources/dialogs/PageVolumeControl.h"
#include "volume/LevelMapping.h"
#include "volume/VolumeCtrlInterface.h"

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>

// What the mono and the stereo strip share: the main window (the open device and the
// error report), the direction, the initialised flag, the driver helpers, and the
// presentation of sliders, read-outs and bitmap buttons.
//
// The helpers act on the device open in the main window and do nothing (returning 0)
// while none is open. A failing read clears the control's flag silently; a failing write
// is reported once and clears it too, so the control stays disabled for the strip's life.
class VolumeCtrlBase : public VolumeCtrlInterface {
public:
    // Every code may concern the strip's channels: it reads the device again.
    void OnDeviceNotification(std::uint32_t) override { Update(); }

    // Mute button bitmaps: muted, not muted, no mute control.
    static constexpr UINT kBitmapMuted = IDB_VOLUME_MUTED;
    static constexpr UINT kBitmapNotMuted = IDB_VOLUME_NOT_MUTED;
    static constexpr UINT kBitmapNoMute = IDB_VOLUME_NO_MUTE;
    // 0 dB button: enabled, disabled.
    static constexpr UINT kBitmapZeroDb = IDB_VOLUME_ZERO_DB;
    static constexpr UINT kBitmapZeroDbDisabled = IDB_VOLUME_ZERO_DB_DISABLED;
    // Link button: enabled linked or not, disabled linked or not.
    static constexpr UINT kBitmapLinked = IDB_VOLUME_LINKED;
    static constexpr UINT kBitmapNotLinked = IDB_VOLUME_LINK_OFF;
    static constexpr UINT kBitmapLinkedDisabled = IDB_VOLUME_LINKED_DISABLED;
    static constexpr UINT kBitmapNotLinkedDisabled = IDB_VOLUME_LINK_OFF_DISABLED;

protected:
    VolumeCtrlBase(PageHost& host, bool input) : host_(host), input_(input) {}

    PageHost& Host() const { return host_; }
    bool IsInput() const { return input_; }
    std::uint32_t Direction() const;
    bool IsInitialized() const { return initialized_; }
    void SetInitialized() { initialized_ = true; }

    StatusCode GetMute(std::uint32_t channel, bool& muted, bool& hasMute) const;
    StatusCode GetVolume(std::uint32_t channel, std::int16_t& volume, bool& hasVolume) const;
    StatusCode SetMute(std::uint32_t channel, bool mute, bool& hasMute) const;
    StatusCode SetVolume(std::uint32_t channel, std::int16_t volume, bool& hasVolume) const;
    // The language text, else the driver's name, else "Input 3" / "Output 3".
    std::wstring GetChannelName(std::uint32_t channel) const;

    static void ShowLevel(std::int16_t volume, HWND readOut);
    // Range [minimum, maximum]; keys move by one step (1 dB when any value is allowed).
    static void SetUpSlider(HWND slider, const LevelMapping& mapping);
    static void ShowOnSlider(HWND slider, const LevelMapping& mapping, std::int16_t volume);
    static int SliderPosition(HWND slider);
    // A scroll code that moves the slider to a new place (lines, pages, thumb, Home, End),
    // as opposed to the end of a tracking.
    static bool IsSliderMove(WPARAM scrollRequest);

    // Loads the strip's bitmaps once, at the screen's DPI; they are freed with the strip.
    void LoadBitmaps(std::initializer_list<UINT> ids);
    void ShowButton(HWND button, bool enabled, UINT bitmapId) const;
    // The bitmap, and the check state that screen readers report (checked: muted).
    void ShowMuteButton(HWND button, bool hasMute, bool muted) const;
    void ShowZeroDbButton(HWND button, bool enabled) const;
    // Names a picture button for screen readers by its window text, `text` with
    // ${ChannelName} filled in, and shows the same text as its tooltip.
    void NameButton(HWND button, const UiTextHandle& text, const std::wstring& channelName);
    // Gives a slider its name as window text and as the text of its label, the static
    // right before it that the system's accessibility library names a slider by.
    static void NameSlider(HWND slider, HWND label, const std::wstring& channelName);

private:
    PageHost& host_;
    bool input_;
    bool initialized_ = false;
    HWND toolTips_ = nullptr; // owned by the strip's window, destroyed with it
    std::map<UINT, UniqueBitmap> bitmaps_;
};
