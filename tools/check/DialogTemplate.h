#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// One control of a dialog template, its place in dialog units.
struct DialogTemplateItem {
    int id = 0;
    std::wstring className; // the system's name for the template's class ordinals
    DWORD style = 0;
    short x = 0, y = 0, width = 0, height = 0;
};

// What a layout needs of an extended dialog template: its font and its controls.
struct DialogTemplate {
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring typeface;
    std::vector<DialogTemplateItem> items;
};

// The dialog template of this id in module; nothing when it is missing, has no font or is
// no extended template.
std::optional<DialogTemplate> ReadDialogTemplate(HMODULE module, int dialogId);
