#include "framework/XmlNames.h"

std::string_view LocalName(const char* name)
{
    const std::string_view text(name);
    const size_t colon = text.rfind(':');
    return colon == std::string_view::npos ? text : text.substr(colon + 1);
}

const char* Attribute(const char** attributes, std::string_view name)
{
    for (; attributes[0] != nullptr; attributes += 2) {
        if (LocalName(attributes[0]) == name) {
            return attributes[1];
        }
    }
    return nullptr;
}
