#pragma once

#include <string_view>

// Names as an XML parser (expat) hands them over, for readers of files that use namespaces.

// The local name of an element or attribute: a namespace prefix ("bo:") does not matter here.
std::string_view LocalName(const char* name);

// The value of attribute `name` (its local name) among the parser's name/value pairs, which end
// with a null name; nullptr when absent.
const char* Attribute(const char** attributes, std::string_view name);
