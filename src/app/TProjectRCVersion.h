#pragma once

#include <map>
#include <string>

// The program's version block: product name, product version, legal notice and special-build
// text, compiled in from the build's project version. Each Get... gives false and leaves `text`
// alone when the block has no such string.
class TProjectRCVersion {
public:
    // This program's block.
    TProjectRCVersion();
    // A block of the given strings, by name ("ProductName", "ProductVersion", "LegalCopyright",
    // "SpecialBuild"); an empty map stands for a program without a block.
    explicit TProjectRCVersion(std::map<std::string, std::string> strings);

    bool GetProductName(std::string& text) const;
    bool GetProductVersion(std::string& text) const;
    bool GetLegalNotice(std::string& text) const;
    bool GetSpecialBuild(std::string& text) const;

private:
    bool Find(const std::string& name, std::string& text) const;

    std::map<std::string, std::string> m_strings;
};
