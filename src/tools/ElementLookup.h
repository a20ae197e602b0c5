#pragma once

#include "database/Element.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The elements of an installation's ELEMENTS file and their codes (zero-based positions among
// the element lines, read the way the program reads them). Only codes 0..255 fit a record.
class ElementLookup {
public:
    // False, with a message in `error`, when the file is missing, unreadable or lists no element.
    bool Load(const std::string& path, std::string* error);

    // The code of the element written `symbol`: the exact spelling first, else ignoring case.
    std::optional<uint8_t> BySymbol(std::string_view symbol) const;
    std::optional<uint8_t> ByAtomicNumber(int atomicNumber) const;
    // How many elements have codes.
    size_t Count() const { return m_elements.size(); }

private:
    std::vector<Element> m_elements;
};
