#pragma once

#include "tools/check/CheckFinding.h"

#include <string>

// The configuration file at path read by the panel's own loader, then explained: a file
// the panel refuses (with the box it shows), and in a file it takes every element,
// attribute and value it ignores, with the value it keeps instead.
FileCheck CheckConfigFile(const std::wstring& path);
