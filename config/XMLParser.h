#pragma once

#include "config/ConfigStatus.h"

#include <string>
#include <string_view>

namespace tinyxml2 {
class XMLDocument;
}

// Base of the classes that read an XML file of their own: loading goes through TinyXML-2,
// and each derived class reads its elements in ParseDocument.
// Results: 0, ERROR_OPEN_FAILED (110) when the file cannot be opened,
// ERROR_FUNCTION_FAILED (1627) when the XML library fails, or ParseDocument's result.
class XMLParser {
public:
    // Opens the file as raw bytes, loads the document from it, closes it, then parses.
    virtual StatusCode LoadDocumentFile(const std::wstring& path, tinyxml2::XMLDocument& document,
                                        unsigned flags);
    // Parses XML text (UTF-8) into the document, then runs ParseDocument.
    virtual StatusCode LoadDocumentText(std::string_view text, tinyxml2::XMLDocument& document,
                                        unsigned flags);
    // Reads the derived class's own elements from a loaded document.
    virtual StatusCode ParseDocument(const tinyxml2::XMLDocument& document, unsigned flags) = 0;

    // Declared after the three operations so that they keep the first three table slots.
    virtual ~XMLParser() = default;

protected:
    XMLParser() = default;
    XMLParser(const XMLParser&) = default;
    XMLParser& operator=(const XMLParser&) = default;
};
