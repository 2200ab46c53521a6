#pragma once

#include "driver/DriverRecords.h"
#include "driver/KorvelineApiDll.h"

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

// The ASIO instance selector of the ASIO device and buffer settings pages: one entry
// "ASIO <number + 1>: <name>" per instance of the driver, in the driver's order, each with
// its position in the instance list as item data.
class AsioInstComboCtrl {
public:
    void Attach(HWND comboBox) { comboBox_ = comboBox; }
    HWND Hwnd() const { return comboBox_; }

    // Reads every instance and refills the selector, then selects the instance the device
    // belongs to. On a failed read the instance list is empty and the selector keeps its
    // earlier entries; the status of that read.
    StatusCode FillInstances(const KorvelineApiDll& api, DeviceHandle device);
    // The selected entry's instance number; -1 with no selection.
    std::int32_t GetSelectedInstance() const;
    // The instance a page works on: the selected one while the selector is shown, else
    // the first instance; -1 when there is none.
    std::int32_t CurrentInstance(bool selectorShown) const;
    // A page shows the selector only when there is a choice.
    bool HasChoice() const { return instances_.size() >= 2; }

    std::span<const AsioInstanceDetails> Instances() const { return instances_; }

private:
    HWND comboBox_ = nullptr;
    std::vector<AsioInstanceDetails> instances_;
};
