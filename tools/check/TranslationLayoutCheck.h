#pragma once

#include "tools/check/CheckFinding.h"

#include <windows.h>

#include <string>

// The scales the layout check lays every dialog out at: 100, 150 and 200 %.
inline constexpr int kLayoutDpis[] = {96, 144, 192};

// Every dialog of the panel (the templates in `templates`) laid out with the texts of one
// translation file at each of kLayoutDpis: each text that does not fit its control, and
// two controls of one dialog with the same access key. A finding stands at the line of
// the text in the file; a text the file does not give (the English default) is a finding
// about the file as a whole.
FileCheck CheckTranslationLayout(const std::wstring& path, HMODULE templates);
