#include "config/XMLParser.h"

#include <windows.h>

#include "framework/UniqueAny.h"

#include <tinyxml2.h>

StatusCode XMLParser::LoadDocumentFile(const std::wstring& path, tinyxml2::XMLDocument& document,
                                       unsigned flags) {
    {
        UniqueFile file(_wfopen(path.c_str(), L"rb"));
        if (!file)
            return ERROR_OPEN_FAILED;
        if (document.LoadFile(file.Get()) != tinyxml2::XML_SUCCESS)
            return ERROR_FUNCTION_FAILED;
    }
    return ParseDocument(document, flags);
}

StatusCode XMLParser::LoadDocumentText(std::string_view text, tinyxml2::XMLDocument& document,
                                       unsigned flags) {
    document.Parse(text.data(), text.size());
    if (document.Error())
        return ERROR_FUNCTION_FAILED;
    return ParseDocument(document, flags);
}
