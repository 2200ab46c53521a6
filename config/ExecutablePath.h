#pragma once

#include "config/ConfigStatus.h"

#include <string>

// Full path of the running executable (at most MAX_PATH characters); a failure gives the
// system error and leaves path unchanged.
StatusCode RunningExecutablePath(std::wstring& path);

// Drive + directory + base name of the path with a new extension ("C:\p\Prog.exe",
// ".xml" -> "C:\p\Prog.xml"). Only the last extension is replaced.
std::wstring PathWithExtension(const std::wstring& path, const std::wstring& extension);
