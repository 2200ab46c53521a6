#pragma once

#include <functional>
#include <optional>
#include <string>

// What a message box showed.
struct ModalBoxContents {
    std::wstring caption;
    std::wstring text;
    bool hasOwner = false;
    bool hasErrorIcon = false;
};

// Runs the action on this thread while a second thread waits for message boxes of this
// thread, reads each one and closes it with OK. Returns the first box seen, or nothing
// when the action ended without showing one.
std::optional<ModalBoxContents> RunAndReadModalBox(const std::function<void()>& action);
