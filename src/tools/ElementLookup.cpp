#include "tools/ElementLookup.h"

#include "database/TextTables.h"
#include "framework/StringUtil.h"

namespace {

constexpr size_t kCodeCount = 256;

}  // namespace

bool ElementLookup::Load(const std::string& path, std::string* error)
{
    const auto fail = [error](const std::string& message) {
        if (error != nullptr) {
            *error = message;
        }
        return false;
    };
    TextTables tables;
    if (!tables.LoadElements(path)) {
        return fail("Cannot read " + path);
    }
    m_elements = std::move(tables.ElementTable);
    if (m_elements.empty()) {
        return fail(path + " lists no elements");
    }
    if (m_elements.size() > kCodeCount) {
        m_elements.resize(kCodeCount);  // the rest cannot be named in a record
    }
    return true;
}

std::optional<uint8_t> ElementLookup::BySymbol(std::string_view symbol) const
{
    for (size_t code = 0; code < m_elements.size(); ++code) {
        if (m_elements[code].name == symbol) {
            return static_cast<uint8_t>(code);
        }
    }
    for (size_t code = 0; code < m_elements.size(); ++code) {
        if (EqualsIgnoringCase(m_elements[code].name, symbol)) {
            return static_cast<uint8_t>(code);
        }
    }
    return std::nullopt;
}

std::optional<uint8_t> ElementLookup::ByAtomicNumber(int atomicNumber) const
{
    for (size_t code = 0; code < m_elements.size(); ++code) {
        if (m_elements[code].atomicNumber == atomicNumber) {
            return static_cast<uint8_t>(code);
        }
    }
    return std::nullopt;
}
