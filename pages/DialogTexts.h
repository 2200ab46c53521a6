#pragma once

#include "config/UiText.h"

#include <windows.h>

#include <span>

// Which language texts the controls of a dialog show. The pages set the `atStart` texts
// when their dialog initialises (ApplyDialogTexts); the others their own code shows when
// they apply: one of several texts for one control, or a text with values in its
// placeholders. The check tool lays out every dialog with these same tables.
struct DialogText {
    int controlId;
    const wchar_t* controlName; // the id's name in the dialog's resource header
    const UiTextHandle& text;
    bool atStart;
};

struct DialogTexts {
    int dialogId;
    const wchar_t* dialogName;
    std::span<const DialogText> texts;
};

// Every dialog of the panel with a text in one of its controls.
std::span<const DialogTexts> AllDialogTexts();

// Sets the `atStart` texts of the dialog's table in its controls; no table, no change.
void ApplyDialogTexts(HWND dialog, int dialogId);
