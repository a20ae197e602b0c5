#include "app/TProjectRCVersion.h"

#include <utility>

namespace {

std::map<std::string, std::string> ProgramBlock()
{
    std::map<std::string, std::string> block = {
        {"ProductName", "Spekla"},
        {"ProductVersion", SPEKLA_VERSION},
        {"LegalCopyright",
         "Copyright \u00A9 2026 the Spekla developers.\nDistributed without any warranty."},
    };
    // Only a build that was given a special-build text has one.
    if (const std::string special = SPEKLA_SPECIAL_BUILD; !special.empty()) {
        block["SpecialBuild"] = special;
    }
    return block;
}

}  // namespace

TProjectRCVersion::TProjectRCVersion() : m_strings(ProgramBlock()) {}

TProjectRCVersion::TProjectRCVersion(std::map<std::string, std::string> strings)
    : m_strings(std::move(strings))
{
}

bool TProjectRCVersion::GetProductName(std::string& text) const
{
    return Find("ProductName", text);
}

bool TProjectRCVersion::GetProductVersion(std::string& text) const
{
    return Find("ProductVersion", text);
}

bool TProjectRCVersion::GetLegalNotice(std::string& text) const
{
    return Find("LegalCopyright", text);
}

bool TProjectRCVersion::GetSpecialBuild(std::string& text) const
{
    return Find("SpecialBuild", text);
}

bool TProjectRCVersion::Find(const std::string& name, std::string& text) const
{
    const auto found = m_strings.find(name);
    if (found == m_strings.end()) {
        return false;
    }
    text = found->second;
    return true;
}
