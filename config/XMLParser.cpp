#include "config/XMLParser.h"

#include <windows.h>

#include <cstdio>
#include <memory>

#include <tinyxml2.h>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};
using FilePointer = std::unique_ptr<FILE, FileCloser>;

} // namespace

StatusCode XMLParser::LoadDocumentFile(const std::wstring& path, tinyxml2::XMLDocument& document,
                                       unsigned flags) {
    {
        FilePointer file(_wfopen(path.c_str(), L"rb"));
        if (!file)
            return ERROR_OPEN_FAILED;
        if (document.LoadFile(file.get()) != tinyxml2::XML_SUCCESS)
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
