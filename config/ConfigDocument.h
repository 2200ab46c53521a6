#pragma once

#include <tinyxml2.h>

// The document the configuration's readers load. Its element text comes without the white
// space at both ends and with each inner run of white space as one space, so a value that
// an editor indented onto a line of its own reads as the word it is.
class ConfigDocument : public tinyxml2::XMLDocument {
public:
    ConfigDocument() : XMLDocument(true, tinyxml2::COLLAPSE_WHITESPACE) {}
};
