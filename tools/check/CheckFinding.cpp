#include "tools/check/CheckFinding.h"

std::wstring FormatFinding(const std::wstring& file, const CheckFinding& finding) {
    std::wstring where = file;
    if (finding.line != 0)
        where += L":" + std::to_wstring(finding.line);
    return where + L": " + finding.message;
}
